// Whatever a command answers, output that cannot reach standard output makes it fail.
#include "ToolProcess.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

TEST(StandardOutputTest, EveryCommandFailsWhenItsOutputCannotBeWritten)
{
    const test::TempDataDir dir;
    const std::string table = (dir.path() / "dolg.dbf").string();
    test::DbfBuilder({{"SUMMA", 'N', 10, 2}}).record({"21.05"}).write(table);
    ASSERT_EQ(test::runVorela(dir.path(), "init").status, 0);
    ASSERT_EQ(test::runVorela(dir.path(), "task add Долги --table '" + table + "'").status, 0);
    ASSERT_EQ(test::runVorela(dir.path(), "operator add Долги Иванов").status, 0);
    // Each answers 0 or 2 when its output is read.
    for (const std::string &arguments :
         std::vector<std::string>{"lexemes", "tasks", "check", "reg export", "speak number 21",
                                  "table columns '" + table + "'", "preflight Долги"}) {
        ASSERT_NE(test::runVorela(dir.path(), arguments).output, "") << arguments;
        const test::ToolRun run = test::runVorela(dir.path(), arguments + " >/dev/full");
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(
            run.errors.find("vorela: cannot write standard output: No space left on device\n"),
            std::string::npos)
            << arguments << ": " << run.errors;
    }
}

} // namespace
} // namespace vorela
