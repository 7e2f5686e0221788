// What is wrong with a command line the tool could not read, said in one line: the reader's
// errors become "vorela: unknown option --bogus", "vorela: missing argument OUT.wav", ...
#include "cli/UsageError.h"

#include "cli/CliCommands.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace vorela {

// The commands the line chose, the tool first.
static std::vector<const CLI::App *> chosenCommands(const CLI::App &tool)
{
    std::vector<const CLI::App *> chain{&tool};
    while (!chain.back()->get_subcommands().empty())
        chain.push_back(chain.back()->get_subcommands().front());
    return chain;
}

static std::vector<const CLI::App *> offeredCommands(const CLI::App &command)
{
    return command.get_subcommands([](const CLI::App *) { return true; });
}

static std::string commandPath(const CLI::App &command)
{
    const CLI::App *parent = command.get_parent();
    return (parent == nullptr ? "" : commandPath(*parent) + " ") + command.get_name();
}

// "-5" is a value, a negative number, as the reader takes it.
static bool looksLikeOption(const std::string &word)
{
    return word.size() > 1 && word[0] == '-' && (word[1] < '0' || word[1] > '9');
}

// The first word that no option or argument took.
static std::optional<std::string> leftOverWord(const std::vector<const CLI::App *> &chain)
{
    for (const CLI::App *command : chain) {
        const std::vector<std::string> words = command->remaining();
        if (words.empty())
            continue;
        const std::string &word = words.front();
        if (looksLikeOption(word))
            return "unknown option " + word;
        if (command->get_subcommands().empty() && !offeredCommands(*command).empty())
            return "unknown command '" + word + "' (see " + commandPath(*command) + " --help)";
        return "unexpected argument " + word;
    }
    return std::nullopt;
}

// The first required argument, option or command that the line lacks.
static std::optional<std::string> missingArgument(const std::vector<const CLI::App *> &chain)
{
    for (const CLI::App *command : chain) {
        for (const CLI::Option *option : command->get_options()) {
            if (!option->get_required() ||
                static_cast<int>(option->count()) >= option->get_items_expected_min())
                continue;
            return (option->get_positional() ? "missing argument " : "missing option ") +
                   option->get_name();
        }
        if (!command->get_subcommands().empty() || command->get_require_subcommand_min() == 0)
            continue;
        std::string names;
        for (const CLI::App *offered : offeredCommands(*command))
            names += (names.empty() ? "" : "|") + offered->get_name();
        return "missing command: " + command->get_name() + " " + names;
    }
    return std::nullopt;
}

int reportUsageError(const CLI::App &tool, const CLI::Error &error)
{
    const std::vector<const CLI::App *> chain = chosenCommands(tool);
    std::optional<std::string> message = leftOverWord(chain);
    if (!message)
        message = missingArgument(chain);
    return cliFailure(message.value_or(error.what()));
}

} // namespace vorela
