// Commands without arguments and groups of commands on the tool's command line.
#include "cli/CliTree.h"

namespace vorela {

CLI::App &addCliCommand(CLI::App &parent, CliAction &action, const std::string &name,
                        const std::string &description, int (*run)(CliContext &context))
{
    CLI::App &command = *parent.add_subcommand(name, description);
    command.callback([&action, run] { action = run; });
    return command;
}

CLI::App &addCliGroup(CLI::App &parent, const std::string &name, const std::string &description)
{
    return *parent.add_subcommand(name, description)->require_subcommand(1);
}

} // namespace vorela
