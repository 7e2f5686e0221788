// `vorela task add|remove` and `vorela operator add|remove`: what an administrator sets up for the
// notification application, which the editor itself cannot create.
#include "cli/CliOptions.h"
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "stores/TaskConfiguration.h"

#include <chrono>
#include <iostream>

namespace vorela {

namespace {

enum class Change { Add, Remove };

struct TaskArguments {
    std::string task;
    std::string table;
    std::string comment;
    std::chrono::milliseconds wait{};
};

struct OperatorArguments {
    std::string task;
    std::string operatorName;
    std::chrono::milliseconds wait{};
};

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

static int taskCommand(CliContext &context, const TaskArguments &arguments, Change change)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    TaskConfiguration configuration(*store, context.dataDirectory, arguments.wait);
    const std::string &task = arguments.task;
    if (change == Change::Remove)
        return report(configuration.removeTask(task), "removed task '" + task + "'");
    return report(configuration.addTask(task, arguments.table, arguments.comment),
                  "added task '" + task + "'");
}

static int operatorCommand(CliContext &context, const OperatorArguments &arguments, Change change)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    TaskConfiguration configuration(*store, context.dataDirectory, arguments.wait);
    const std::string &task = arguments.task;
    const std::string &operatorName = arguments.operatorName;
    const std::string names = "operator '" + operatorName + "' of task '" + task + "'";
    if (change == Change::Remove)
        return report(configuration.removeOperator(task, operatorName), "removed " + names);
    return report(configuration.addOperator(task, operatorName), "added " + names);
}

static void addTaskChange(CLI::App &group, CliAction &action, Change change,
                          const std::string &description)
{
    const auto [command, arguments] = addCliCommand<TaskArguments>(
        group, action, change == Change::Add ? "add" : "remove", description,
        [change](CliContext &context, const TaskArguments &chosen) {
            return taskCommand(context, chosen, change);
        });
    command.add_option("TASK", arguments.task)->required();
    if (change == Change::Add) {
        command.add_option("--table", arguments.table, "the task's table")
            ->required()
            ->type_name("FILE.dbf");
        command.add_option("--comment", arguments.comment, "the task's comment")->type_name("TEXT");
    }
    addWaitOption(command, arguments.wait);
}

static void addOperatorChange(CLI::App &group, CliAction &action, Change change,
                              const std::string &description)
{
    const auto [command, arguments] = addCliCommand<OperatorArguments>(
        group, action, change == Change::Add ? "add" : "remove", description,
        [change](CliContext &context, const OperatorArguments &chosen) {
            return operatorCommand(context, chosen, change);
        });
    command.add_option("TASK", arguments.task)->required();
    command.add_option("OPERATOR", arguments.operatorName)->required();
    addWaitOption(command, arguments.wait);
}

void addTaskCommands(CLI::App &tool, CliAction &action)
{
    CLI::App &task = addCliGroup(tool, "task", "the tasks of the notification application");
    addTaskChange(task, action, Change::Add, "a task without operators");
    addTaskChange(task, action, Change::Remove, "a task with its operators and templates");
    CLI::App &operators = addCliGroup(tool, "operator", "the operators of a task");
    addOperatorChange(operators, action, Change::Add, "an operator with an empty template");
    addOperatorChange(operators, action, Change::Remove, "an operator with its template");
}

} // namespace vorela
