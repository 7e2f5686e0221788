// The tree of the tool's commands, each file adding its own, and the one place that reads it.
#include "cli/CommandLine.h"

#include "cli/UsageError.h"

#include <array>
#include <iostream>

namespace vorela {

// In the order `vorela help` lists them.
static constexpr auto CommandFiles = std::to_array({
    addVerifyCommand,
    addRegCommands,
    addStoreCommands,
    addSpeechCommands,
    addTableCommands,
    addBankCommands,
    addSetupCommands,
    addDemoCommand,
    addRenderCommand,
    addPreflightCommand,
    addTaskCommands,
    addLibraryCommands,
});

CommandLine::CommandLine()
    : tool("The lexemes, sound bank and tasks of the notification system, from the command line.",
           "vorela")
{
}

void CommandLine::addCommands()
{
    tool.require_subcommand(0, 1);
    tool.add_option_function<std::string>(
            "--data-dir", [this](const std::string &path) { dataDirectoryOption = path; },
            "the data directory (default: $VORELA_DATA_DIR, else the current directory)")
        ->type_name("DIR");
    for (const auto addFileCommands : CommandFiles)
        addFileCommands(tool, action);
    CLI::App &help = *tool.add_subcommand("help", "this list of commands");
    help.callback([this] {
        action = [this](CliContext &) {
            std::cout << tool.get_formatter()->make_help(&tool, tool.get_name(),
                                                         CLI::AppFormatMode::Normal);
            return 0;
        };
    });
}

std::optional<int> CommandLine::read(int argc, const char *const *argv)
{
    // CLI11 reports through exceptions; none leaves this function.
    try {
        addCommands();
        tool.parse(argc, argv);
    } catch (const CLI::CallForHelp &) {
        std::cout << tool.help(); // the help of the command it followed
        return 0;
    } catch (const CLI::Error &error) {
        return reportUsageError(tool, error);
    }
    return std::nullopt;
}

DataDirectory CommandLine::dataDirectory() const
{
    return dataDirectoryOption ? DataDirectory(*dataDirectoryOption)
                               : DataDirectory::fromEnvironment();
}

int CommandLine::runCommand(CliContext &context) const
{
    if (action)
        return action(context);
    std::cerr << tool.help();
    return 1;
}

} // namespace vorela
