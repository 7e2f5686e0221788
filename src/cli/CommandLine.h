// The command line of the `vorela` tool: the tree of its commands, read in one place.
#pragma once

#include "cli/CliCommands.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace vorela {

class CommandLine {
public:
    CommandLine();
    CommandLine(const CommandLine &) = delete;
    CommandLine &operator=(const CommandLine &) = delete;

    /// Reads the arguments; the exit status when the run ends with reading: 0 after a help text
    /// on stdout, 1 after a usage error named in one line on stderr. Empty when a command may run.
    [[nodiscard]] std::optional<int> read(int argc, const char *const *argv);
    /// --data-dir DIR when given, else $VORELA_DATA_DIR or the current directory.
    [[nodiscard]] DataDirectory dataDirectory() const;
    /// Runs the command read; without one the usage goes to stderr and the status is 1.
    [[nodiscard]] int runCommand(CliContext &context) const;

private:
    void addCommands();

    CLI::App tool;
    std::optional<std::string> dataDirectoryOption;
    CliAction action;
};

} // namespace vorela
