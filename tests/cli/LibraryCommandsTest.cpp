// `vorela library ...` as an operator runs it: the id as the last line, the log's columns, the
// changes in words, a restore that gives the bank back, and a damaged history that names the way
// out while the library stays usable.
#include "ToolProcess.h"
#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <regex>

namespace vorela {
namespace {

using test::chunk;

class LibraryCommandsTest : public ::testing::Test {
protected:
    test::ToolRun vorela(const std::string &arguments)
    {
        return test::runVorela(dir.path(), arguments);
    }
    void record(std::int16_t first)
    {
        test::writeFile(dir.path() / "take.wav",
                        test::riffWave({chunk("fmt ", test::formatRecord()),
                                        chunk("data", test::samples(800, first))}));
        ASSERT_EQ(vorela("bank import @002 '" + (dir.path() / "take.wav").string() + "'").status,
                  0);
    }
    std::string lastLine(const std::string &output)
    {
        const std::string trimmed = output.substr(0, output.size() - 1);
        return trimmed.substr(trimmed.rfind('\n') + 1);
    }

    test::TempDataDir dir;
};

TEST_F(LibraryCommandsTest, SaveLogDiffAndRestoreAsTheOperatorSeesThem)
{
    ASSERT_EQ(vorela("init").status, 0);
    record(100);
    const test::ToolRun first = vorela("library save -m 'Первая'");
    ASSERT_EQ(first.status, 0) << first.errors;
    const test::Bytes firstBank = test::readFile(dir.dataDirectory().productBank());
    const test::ToolRun unchanged = vorela("library save");
    EXPECT_EQ(unchanged.status, 0);
    EXPECT_NE(unchanged.output.find("nothing changed"), std::string::npos);
    record(200);
    const std::string secondId = lastLine(vorela("library save -m second").output);

    const test::ToolRun log = vorela("library log");
    const std::regex line("[0-9a-f]{40}\t\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\t[^\t]+\t");
    ASSERT_EQ(log.output.substr(0, 41), secondId + '\t');
    EXPECT_TRUE(std::regex_search(log.output, line)) << log.output;
    EXPECT_NE(log.output.find("\tПервая\n"), std::string::npos);
    EXPECT_EQ(vorela("library diff " + lastLine(first.output) + " " + secondId).output,
              "sound changed: @002 \"Текущее время\"\n");

    ASSERT_EQ(vorela("library restore " + lastLine(first.output)).status, 0);
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), firstBank);

    std::filesystem::remove_all(dir.path() / "history.git" / "refs");
    const test::ToolRun damaged = vorela("library save");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.errors.find("mv history.git history.git.damaged"), std::string::npos)
        << damaged.errors;
    EXPECT_EQ(vorela("bank list").status, 0);
}

} // namespace
} // namespace vorela
