// How a command file hangs its commands on the tool's command line: each command binds its
// arguments to values kept with the tree, and choosing it sets the action that runs on them.
#pragma once

#include "cli/CliCommands.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

namespace vorela {

template <typename Values> struct CliCommandValues {
    CLI::App &command; // add the options and positional arguments here
    Values &values;    // bind them to these
};

/// A command under parent whose arguments fill the shared values (one object may serve several
/// commands); choosing it sets action to run(context, *values).
template <typename Values, typename Run>
CLI::App &addCliCommand(CLI::App &parent, CliAction &action, const std::string &name,
                        const std::string &description, std::shared_ptr<Values> values, Run run)
{
    CLI::App &command = *parent.add_subcommand(name, description);
    command.callback([&action, values, run] {
        action = [values, run](CliContext &context) { return run(context, *values); };
    });
    return command;
}

/// A command under parent with its own values.
template <typename Values, typename Run>
CliCommandValues<Values> addCliCommand(CLI::App &parent, CliAction &action, const std::string &name,
                                       const std::string &description, Run run)
{
    const auto values = std::make_shared<Values>();
    return {addCliCommand(parent, action, name, description, values, run), *values};
}

/// A command under parent that takes no arguments.
CLI::App &addCliCommand(CLI::App &parent, CliAction &action, const std::string &name,
                        const std::string &description, int (*run)(CliContext &context));

/// A command that only names a group of commands (`bank` of `bank list`): one must follow it.
CLI::App &addCliGroup(CLI::App &parent, const std::string &name, const std::string &description);

} // namespace vorela
