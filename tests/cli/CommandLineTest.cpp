// The command line of `vorela` read the same way by every command: help on stdout, and a wrong
// option, a missing or a surplus argument named in one line.
#include "ToolProcess.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <string>

namespace vorela {
namespace {

struct CommandCase {
    std::string command;
    std::string complete; // arguments that make a whole line of it
    std::string missing;  // the error without any argument; empty when none is needed
    std::string surplus = "unexpected argument extra"; // the error after complete + " extra"
};

TEST(CommandLineTest, EveryCommandAnswersHelpAndNamesWhatIsWrong)
{
    const CommandCase cases[] = {
        {"verify", "in.wav", "missing argument IN.wav"},
        {"reg", "import in.reg", "missing command: reg import|export"},
        {"reg import", "in.reg", "missing argument FILE"},
        {"reg export", "KEY -o out.reg", ""},
        {"lexemes", "", ""},
        {"tasks", "", ""},
        {"templates", "Долги Иванов", "missing argument TASK"},
        {"speak", "number 1",
         "missing command: speak address|amount|clock-value|date|date-text|"
         "digit|digit-groups|flat|from-today|house|number|phone|three-digits|"
         "time|two-digits"},
        {"speak date", "--genitive 31 12 --today 2026-12-07", "missing argument DAY"},
        {"expand", "Долги Иванов 1 --now 12:00", "missing argument TASK"},
        {"table", "columns t.dbf", "missing command: table columns|value"},
        {"table value", "t.dbf NAME", "missing argument FILE"},
        {"bank", "list", "missing command: bank list|export|import|import-dir|remove|normalize"},
        {"bank list", "", ""},
        {"bank export", "0001 out.wav", "missing argument ID"},
        {"bank import", "0001 in.wav", "missing argument ID"},
        {"bank import-dir", "in", "missing argument DIR"},
        {"bank remove", "0001", "missing argument ID"},
        {"bank normalize", "--all", "missing argument ID (or --all)", "ID excludes --all"},
        {"install-currency", "", ""},
        {"init", "new", ""},
        {"check", "--sounds --verbose", ""},
        {"demo", "new", ""},
        {"render", "Долги Иванов -o out.wav --record 2 --line alaw", "missing argument TASK"},
        {"preflight", "Долги Иванов --csv out.csv --limit 3", "missing argument TASK"},
        {"task", "remove Долги", "missing command: task add|remove"},
        {"task add", "Долги --table t.dbf --comment x --wait 0", "missing argument TASK"},
        {"task remove", "Долги", "missing argument TASK"},
        {"operator", "add Долги Иванов", "missing command: operator add|remove"},
        {"operator add", "Долги Иванов", "missing argument TASK"},
        {"operator remove", "Долги Иванов --wait 1", "missing argument TASK"},
        {"help", "", ""},
    };
    const test::TempDataDir dir;
    const auto expectRefusal = [&](const std::string &arguments, const std::string &error) {
        const test::ToolRun run = test::runVorela(dir.path(), arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.output, "") << arguments;
        EXPECT_EQ(run.errors, "vorela: " + error + "\n") << arguments;
    };
    for (const CommandCase &entry : cases) {
        const test::ToolRun help = test::runVorela(dir.path(), entry.command + " --help");
        EXPECT_EQ(help.status, 0) << entry.command;
        EXPECT_NE(help.output.find("Usage: vorela " + entry.command), std::string::npos)
            << entry.command << ":\n"
            << help.output;
        EXPECT_EQ(help.errors, "") << entry.command;
        expectRefusal(entry.command + " " + entry.complete + " --bogus", "unknown option --bogus");
        expectRefusal(entry.command + " " + entry.complete + " extra", entry.surplus);
        if (!entry.missing.empty())
            expectRefusal(entry.command, entry.missing);
    }
    expectRefusal("--bogus", "unknown option --bogus");
    expectRefusal("bank rename", "unknown command 'rename' (see vorela bank --help)");
    expectRefusal("task add Долги", "missing option --table");
    expectRefusal("expand Долги Иванов --today 2026-02-30x", // the shared options' values
                  "--today: '2026-02-30x' is not a date YYYY-MM-DD");
    expectRefusal("speak time --now 24:00 '12 00'", "--now: '24:00' is not a time HH:MM");
    expectRefusal("task remove Долги --wait 3601", "--wait: Value 3601 not in range 0 to 3600");
    // The tool's own help answers `vorela help` and `vorela --help` alike; alone it is a mistake.
    const test::ToolRun help = test::runVorela(dir.path(), "help");
    EXPECT_EQ(test::runVorela(dir.path(), "--help").output, help.output);
    const test::ToolRun bare = test::runTool("/src/cli/vorela", "");
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.errors, help.output);
}

} // namespace
} // namespace vorela
