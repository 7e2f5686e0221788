// `vorela task add|remove` and `vorela operator add|remove`: what an administrator sets up for the
// notification application, which the editor itself cannot create.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
#include "stores/TaskConfiguration.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <initializer_list>
#include <iostream>
#include <map>
#include <optional>

namespace vorela {

namespace {

// The notification application locks a template only while it reads it: a short wait is enough.
constexpr unsigned DefaultWaitSeconds = 10;
constexpr unsigned MaxWaitSeconds = 3600;

constexpr const char *TaskUsage =
    "usage: vorela task add TASK --table FILE.dbf [--comment TEXT] [--wait SECONDS] | "
    "vorela task remove TASK [--wait SECONDS]";
constexpr const char *OperatorUsage = "usage: vorela operator add TASK OPERATOR [--wait SECONDS] | "
                                      "vorela operator remove TASK OPERATOR [--wait SECONDS]";

struct ParsedArguments {
    CliArguments values;
    std::map<std::string, std::string> options;
    std::chrono::milliseconds wait{std::chrono::seconds(DefaultWaitSeconds)};
};

// Splits the words after the subcommand into values and the allowed options with their values;
// empty when an option is unknown, repeated, without value, or --wait is no number of seconds.
std::optional<ParsedArguments> parseArguments(const CliArguments &arguments,
                                              std::initializer_list<std::string_view> allowed)
{
    ParsedArguments parsed;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string &word = arguments[index];
        if (!word.starts_with("--")) {
            parsed.values.push_back(word);
            continue;
        }
        const bool known =
            word == "--wait" || std::find(allowed.begin(), allowed.end(), word) != allowed.end();
        if (!known || index + 1 == arguments.size() || parsed.options.contains(word))
            return std::nullopt;
        parsed.options[word] = arguments[++index];
    }
    const auto wait = parsed.options.find("--wait");
    if (wait == parsed.options.end())
        return parsed;
    const std::string &text = wait->second;
    unsigned seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || seconds > MaxWaitSeconds)
        return std::nullopt;
    parsed.wait = std::chrono::seconds(seconds);
    return parsed;
}

int report(const TaskChangeResult &result, const std::string &done)
{
    if (!result.ok())
        return cliFailure(result.error);
    if (!result.notice.empty())
        std::cerr << "vorela: warning: " << result.notice << '\n';
    std::cout << done << '\n';
    return 0;
}

} // namespace

int taskCommand(CliContext &context, const CliArguments &arguments)
{
    const std::string subcommand = arguments.empty() ? std::string() : arguments[0];
    const std::optional<ParsedArguments> parsed =
        parseArguments(arguments, {"--table", "--comment"});
    const bool adding = subcommand == "add" && parsed && parsed->values.size() == 1 &&
                        parsed->options.contains("--table");
    const bool removing = subcommand == "remove" && parsed && parsed->values.size() == 1 &&
                          !parsed->options.contains("--table") &&
                          !parsed->options.contains("--comment");
    if (!adding && !removing)
        return cliFailure(TaskUsage);
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    TaskConfiguration configuration(*store, context.dataDirectory, parsed->wait);
    const std::string &task = parsed->values[0];
    if (removing)
        return report(configuration.removeTask(task), "removed task '" + task + "'");
    const auto comment = parsed->options.find("--comment");
    return report(configuration.addTask(task, parsed->options.at("--table"),
                                        comment == parsed->options.end() ? "" : comment->second),
                  "added task '" + task + "'");
}

int operatorCommand(CliContext &context, const CliArguments &arguments)
{
    const std::string subcommand = arguments.empty() ? std::string() : arguments[0];
    const std::optional<ParsedArguments> parsed = parseArguments(arguments, {});
    if ((subcommand != "add" && subcommand != "remove") || !parsed || parsed->values.size() != 2)
        return cliFailure(OperatorUsage);
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    TaskConfiguration configuration(*store, context.dataDirectory, parsed->wait);
    const std::string &task = parsed->values[0];
    const std::string &operatorName = parsed->values[1];
    const std::string names = "operator '" + operatorName + "' of task '" + task + "'";
    if (subcommand == "remove")
        return report(configuration.removeOperator(task, operatorName), "removed " + names);
    return report(configuration.addOperator(task, operatorName), "added " + names);
}

} // namespace vorela
