// Entry point of the `vorela` tool: vorela [--data-dir DIR] COMMAND [ARGUMENTS...]
#include "cli/CliCommands.h"
#include "cli/ConsoleUiServices.h"

#include <array>
#include <iostream>
#include <string_view>

namespace vorela {

// Declared by the command files; listed here once so that `vorela help` shows them all.
static const std::array<CliCommandEntry, 15> Commands = {{
    {"verify", verifyCommand, "verify IN.wav    exit 0: certified by a trusted key, 2: not"},
    {"reg", regCommand, "reg import FILE | reg export [KEY] [-o FILE]   .reg files in and out"},
    {"lexemes", lexemesCommand, "lexemes          the lexeme tree, one node per line"},
    {"tasks", tasksCommand, "tasks            TASK<TAB>OPERATOR per operator"},
    {"templates", templatesCommand, "templates TASK OPERATOR   the template's items in order"},
    {"speak", speakCommand,
     "speak KIND [--feminine] [--genitive] [--currency N] [--today YYYY-MM-DD] [--now HH:MM] "
     "VALUE...   the keys of one number, amount, date or time; exit 2 when not speakable"},
    {"expand", expandCommand,
     "expand TASK OPERATOR [ITEM] [--today YYYY-MM-DD] [--now HH:MM]   a template's keys"},
    {"table", tableCommand,
     "table columns FILE | table value FILE BINDING   a task table as the editor reads it"},
    {"bank", bankCommand,
     "bank list | bank export ID OUT.wav | bank import ID IN.wav | bank remove ID   the product "
     "bank"},
    {"install-currency", installCurrencyCommand,
     "install-currency   the currency words into the product bank and the lexeme tree"},
    {"init", initCommand,
     "init [DIR]       a new data directory: standard lexeme tree, empty bank"},
    {"demo", demoCommand, "demo [DIR]       init, then demo recordings, tasks and templates"},
    {"check", checkCommand, "check            the installation's problems; exit 0 clean, 2 not"},
    {"render", renderCommand,
     "render TASK OPERATOR -o OUT.wav [--record N | --all] [--name-by COLUMN] "
     "[--line alaw|ulaw] [--today YYYY-MM-DD] [--now HH:MM]   the template as WAV"},
    {"preflight", preflightCommand,
     "preflight TASK [OPERATOR] [--csv OUT] [--limit N]   every record of the task's table "
     "spoken through the templates; exit 0 all whole, 2 not"},
}};

int cliFailure(const std::string &message)
{
    std::cerr << "vorela: " << message << '\n';
    return 1;
}

static void printUsage()
{
    std::cerr << "usage: vorela [--data-dir DIR] COMMAND [ARGUMENTS...]\n\ncommands:\n";
    for (const CliCommandEntry &entry : Commands)
        std::cerr << "  " << entry.usage << '\n';
}

static int run(int argc, char **argv)
{
    CliArguments arguments(argv + 1, argv + argc);
    DataDirectory dataDirectory = DataDirectory::fromEnvironment();
    if (arguments.size() >= 2 && arguments[0] == "--data-dir") {
        dataDirectory = DataDirectory(arguments[1]);
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (arguments.empty() || arguments[0] == "help" || arguments[0] == "--help") {
        printUsage();
        return arguments.empty() ? 1 : 0;
    }
    ConsoleUiServices ui;
    CliContext context{dataDirectory, ui};
    for (const CliCommandEntry &entry : Commands) {
        if (arguments[0] != entry.name)
            continue;
        const CliArguments rest(arguments.begin() + 1, arguments.end());
        return entry.run(context, rest);
    }
    return cliFailure("unknown command '" + arguments[0] + "' (see vorela help)");
}

} // namespace vorela

int main(int argc, char **argv)
{
    return vorela::run(argc, argv);
}
