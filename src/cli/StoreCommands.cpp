// `vorela lexemes`, `vorela tasks` and `vorela templates TASK OPERATOR`: the lexeme tree and the
// task configuration as the editor loads them, one tab-separated line per node or item.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
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

int lexemesCommand(CliContext &context, const CliArguments &arguments)
{
    if (!arguments.empty())
        return cliFailure("usage: vorela lexemes");
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    const LexItem root(*store);
    // Values missing in the tree are created as they are read: let that be one transaction.
    const RegistryReadTransaction snapshot(*store);
    printLexemes(root);
    std::cout.flush();
    return std::cout ? 0 : cliFailure("cannot write to standard output");
}

int tasksCommand(CliContext &context, const CliArguments &arguments)
{
    if (!arguments.empty())
        return cliFailure("usage: vorela tasks");
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    const Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    for (const std::string &task : taskConfig.GetTaskNames()) {
        for (const std::string &operatorName : taskConfig.GetOperatorNames(task))
            std::cout << task << '\t' << operatorName << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : cliFailure("cannot write to standard output");
}

int templatesCommand(CliContext &context, const CliArguments &arguments)
{
    if (arguments.size() != 2)
        return cliFailure("usage: vorela templates TASK OPERATOR");
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    bool found = false;
    const std::vector<PatternItem> items =
        taskConfig.GetTemplate(arguments[0], arguments[1], found);
    if (!found)
        return cliFailure("no operator '" + arguments[1] + "' in a task '" + arguments[0] + "'");
    if (const TemplateResult read = taskConfig.lastTemplateResult(); !read.ok())
        return cliFailure(read.reason);
    for (const PatternItem &item : items) {
        std::cout << item.name << '\t' << item.path << '\t' << item.chunk << '\t' << item.arg
                  << '\t' << item.text << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : cliFailure("cannot write to standard output");
}

} // namespace vorela
