// Entry point of the `vorela` tool: vorela [--data-dir DIR] COMMAND [ARGUMENTS...]
#include "cli/CommandLine.h"
#include "cli/ConsoleUiServices.h"

#include <iostream>

namespace vorela {

int cliFailure(const std::string &message)
{
    std::cerr << "vorela: " << message << '\n';
    return 1;
}

static int run(int argc, char **argv)
{
    CommandLine commandLine;
    if (const std::optional<int> status = commandLine.read(argc, argv))
        return *status;
    ConsoleUiServices ui;
    CliContext context{commandLine.dataDirectory(), ui};
    return commandLine.runCommand(context);
}

} // namespace vorela

int main(int argc, char **argv)
{
    return vorela::run(argc, argv);
}
