// `vorela lexemes`, `vorela tasks` and `vorela templates TASK OPERATOR`: the lexeme tree and the
// task configuration as the editor loads them, one tab-separated line per node or item.
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"

#include <iostream>

namespace vorela {

static void printLexemes(const LexItem &node)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        std::cout << child->GetPath() << '\t' << child->GetChunk() << '\t' << child->GetIcon()
                  << '\t' << (child->IsFolder() ? 1 : 0) << '\t' << child->GetMask() << '\t'
                  << child->GetKeyname() << '\t' << child->GetText() << '\n';
        printLexemes(*child);
    }
}

static int lexemesCommand(CliContext &context)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    const LexItem root(*store);
    // Values missing in the tree are created as they are read: let that be one transaction.
    const RegistryReadTransaction snapshot(*store);
    printLexemes(root);
    return 0;
}

static int tasksCommand(CliContext &context)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    const Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    for (const std::string &task : taskConfig.GetTaskNames()) {
        for (const std::string &operatorName : taskConfig.GetOperatorNames(task))
            std::cout << task << '\t' << operatorName << '\n';
    }
    return 0;
}

namespace {

struct TemplateName {
    std::string task;
    std::string operatorName;
};

} // namespace

static int templatesCommand(CliContext &context, const TemplateName &name)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    bool found = false;
    const std::vector<PatternItem> items =
        taskConfig.GetTemplate(name.task, name.operatorName, found);
    if (!found)
        return cliFailure("no operator '" + name.operatorName + "' in a task '" + name.task + "'");
    if (const TemplateResult read = taskConfig.lastTemplateResult(); !read.ok())
        return cliFailure(read.reason);
    for (const PatternItem &item : items) {
        std::cout << item.name << '\t' << item.path << '\t' << item.chunk << '\t' << item.arg
                  << '\t' << item.text << '\n';
    }
    return 0;
}

void addStoreCommands(CLI::App &tool, CliAction &action)
{
    addCliCommand(tool, action, "lexemes",
                  "the lexeme tree, one node per line: PATH CHUNK ICON CHILD MASK KEYNAME TEXT",
                  lexemesCommand);
    addCliCommand(tool, action, "tasks", "TASK<TAB>OPERATOR per operator", tasksCommand);
    const auto [templates, name] = addCliCommand<TemplateName>(
        tool, action, "templates", "the items of a template in order: NAME PATH CHUNK ARG TEXT",
        templatesCommand);
    templates.add_option("TASK", name.task)->required();
    templates.add_option("OPERATOR", name.operatorName)->required();
}

} // namespace vorela
