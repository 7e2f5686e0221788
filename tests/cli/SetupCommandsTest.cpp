// `vorela init`, `vorela demo` and `vorela check` as an administrator runs them, and the demo's
// templates rendered by `vorela render`.
#include "ToolProcess.h"
#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vorela {
namespace {

using test::ToolRun;

ToolRun vorela(const std::filesystem::path &dataDir, const std::string &arguments)
{
    return test::runVorela(dataDir, arguments);
}

std::vector<std::vector<std::string>> rows(const std::string &text)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        std::vector<std::string> fields;
        std::istringstream fieldStream(line);
        for (std::string field; std::getline(fieldStream, field, '\t');)
            fields.push_back(field);
        lines.push_back(fields);
    }
    return lines;
}

// The chunk ids `check` names as lexemes without sound; other findings fail the test.
std::set<std::string> missingSounds(const ToolRun &check)
{
    std::set<std::string> keys;
    for (const std::vector<std::string> &row : rows(check.output)) {
        if (row.size() == 1)
            continue; // the summary line
        EXPECT_EQ(row.at(0), "missing sound") << row.at(2);
        const std::string &detail = row.at(2);
        EXPECT_TRUE(keys.insert(detail.substr(1, detail.find('"', 1) - 1)).second) << detail;
    }
    return keys;
}

bool toolsForDemo()
{
    return std::system("command -v espeak-ng >/dev/null 2>&1 && command -v sox >/dev/null 2>&1") ==
           0;
}

TEST(InitCommandTest, CheckReportsExactlyTheRecordingsStillMissing)
{
    test::TempDataDir dir;
    const std::filesystem::path data = dir.path() / "new";
    ASSERT_EQ(vorela(data, "init").status, 0);
    const ToolRun first = vorela(data, "check");
    EXPECT_EQ(first.status, 2);
    const std::set<std::string> missing = missingSounds(first);
    // 135 words the functions speak, less 7 from the currency bank, and the greeting phrase.
    EXPECT_EQ(missing.size(), 129u);
    for (const char *key : {"PRIV", "_000", "_01A", "+GRE", "+RR ", "+SS ", "+13 ", "+16B", "_E30",
                            "_O01", "+T12", "+CLC", "+MNT", "__PS", "___/", "___К", "HOME", "FLAT"})
        EXPECT_TRUE(missing.contains(key)) << key;
    for (const char *key : {"+DLR", "+EUR", "@007", "#001", "____"})
        EXPECT_FALSE(missing.contains(key)) << key;

    // Recording a word takes exactly that word off the list.
    const std::filesystem::path wav = dir.path() / "one.wav";
    test::writeFile(wav, test::riffWave({test::chunk("fmt ", test::formatRecord()),
                                         test::chunk("data", test::Bytes(776, 0x01))}));
    ASSERT_EQ(vorela(data, "bank import _001 " + wav.string()).status, 0);
    const std::set<std::string> after = missingSounds(vorela(data, "check"));
    EXPECT_EQ(after.size(), 128u);
    EXPECT_FALSE(after.contains("_001"));

    EXPECT_EQ(vorela(data, "init").status, 1); // never over an installation
}

// One demo directory serves every check: making it takes seconds of synthesis.
class DemoDirectory {
public:
    DemoDirectory() : run(vorela(dir.path(), "demo " + data().string())) {}

    [[nodiscard]] std::filesystem::path data() const { return dir.path() / "demo"; }
    [[nodiscard]] const std::filesystem::path &scratch() const { return dir.path(); }

    test::TempDataDir dir;
    ToolRun run;
};

void expectGreetingTrustedHereOnly(const DemoDirectory &demo)
{
    const std::filesystem::path wav = demo.scratch() / "greeting.wav";
    ASSERT_EQ(vorela(demo.data(), "bank export PRIV " + wav.string()).status, 0);
    EXPECT_EQ(vorela(demo.data(), "verify " + wav.string()).status, 0);
    EXPECT_EQ(vorela(demo.scratch(), "verify " + wav.string()).status, 2);
}

void expectEveryKindOfItem(const DemoDirectory &demo)
{
    std::set<std::string> chunks;
    const std::vector<std::vector<std::string>> operators =
        rows(vorela(demo.data(), "tasks").output);
    ASSERT_EQ(operators.size(), 3u);
    for (const std::vector<std::string> &row : operators) {
        for (const std::vector<std::string> &item :
             rows(vorela(demo.data(), "templates '" + row.at(0) + "' '" + row.at(1) + "'").output))
            chunks.insert(item.at(2));
    }
    for (const char *chunk : {"PRIV", "0001", "@000", "@002", "@003", "@004", "@006", "@007",
                              "@009", "@010", "@011", "@012", "@013", "#001", "____"})
        EXPECT_TRUE(chunks.contains(chunk)) << chunk;
}

bool renderCommandBuilt()
{
    return std::system(("'" + std::string(VORELA_BINARY_DIR) +
                        "/src/cli/vorela' help 2>&1 | grep -q '^  render '")
                           .c_str()) == 0;
}

// The rendered WAV holds every lexeme of the expanded template once: its data is their sum.
void expectTemplatesRenderToTheirLexemes(const DemoDirectory &demo)
{
    std::map<std::string, std::uint64_t> sizes;
    for (const std::vector<std::string> &row : rows(vorela(demo.data(), "bank list").output))
        sizes[row.at(0)] = std::stoull(row.at(2));
    const std::string clock = " --today 2026-03-14 --now 09:41";
    for (const std::vector<std::string> &row : rows(vorela(demo.data(), "tasks").output)) {
        const std::string names = "'" + row.at(0) + "' '" + row.at(1) + "'";
        SCOPED_TRACE(names);
        std::uint64_t expected = 0;
        for (const std::vector<std::string> &key :
             rows(vorela(demo.data(), "expand " + names + clock).output)) {
            if (key.at(0).rfind("----", 0) == 0 || key.at(0) == "NULL")
                continue;
            ASSERT_TRUE(sizes.contains(key.at(0))) << key.at(0);
            expected += sizes[key.at(0)];
        }
        const std::filesystem::path wav = demo.scratch() / "render.wav";
        ASSERT_EQ(vorela(demo.data(), "render " + names + " -o " + wav.string() + clock).status, 0);
        EXPECT_EQ(std::filesystem::file_size(wav), 44 + expected);
    }
}

TEST(DemoCommandTest, DemoDirectoryIsCleanCertifiedAndUsesEveryKindOfItem)
{
    if (!toolsForDemo())
        GTEST_SKIP() << "espeak-ng and sox are needed for demo data";
    const DemoDirectory demo;
    ASSERT_EQ(demo.run.status, 0) << demo.run.output;
    const ToolRun check = vorela(demo.data(), "check");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "clean\n");
    expectGreetingTrustedHereOnly(demo);
    expectEveryKindOfItem(demo);
    if (renderCommandBuilt())
        expectTemplatesRenderToTheirLexemes(demo);
    else
        std::cout << "[   NOTE   ] no render command in this build: renders not compared\n";
    EXPECT_EQ(vorela(demo.scratch(), "demo " + demo.data().string()).status, 1);
}

} // namespace
} // namespace vorela
