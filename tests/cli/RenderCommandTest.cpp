// `vorela render` run as a real process on a real registry store, bank and trusted key.
#include "LexemeNodes.h"
#include "ToolProcess.h"
#include "audio/PhoneLine.h"
#include "platform/RegistryStore.h"
#include "soundbank/RiffBytes.h"
#include "stores/Aliases.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "support/CertifiedGreeting.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace vorela {
namespace {

using test::Bytes;

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeLexemeNodes(*store, {{"1", "PRIV", "Приветствие"},
                                        {"2", "0012", "Ваш долг"},
                                        {"3", "@009", "Сумма (руб)"},
                                        {"4", "____", "Граница"}});
        const std::string task = std::string(TasksRootPath) + "Долги\\";
        const std::filesystem::path table = dir.path() / "dolg.dbf";
        test::DbfBuilder({{"SUMMA", 'N', 10, 2}, {"PHONE", 'C', 12}})
            .record({"21.05", "+7 912/34"})
            .record({"1.05", "111"}, /*deleted=*/true)
            .record({"1.05", "+7 912/34"})
            .record({"1.1234", "../etc"}) // a fraction above 999 is not spoken
            .write(table);
        ASSERT_TRUE(store->createKey(task).writeString("File", table.string()));
        (void)store->createKey(task + std::string(OperatorsKeyName) + "\\Иванов");
        (void)store->createKey(task + std::string(OperatorsKeyName) + "\\Петров");
        Aliases taskConfig(*store, dir.dataDirectory());
        std::string after;
        for (const PatternItem &item :
             {PatternItem{.path = "1\\"}, PatternItem{.path = "2\\"},
              PatternItem{.path = "3\\", .arg = "SUMMA"}, PatternItem{.path = "4\\"}}) {
            std::string name;
            ASSERT_TRUE(taskConfig.InsertTemplateItem("Долги", "Иванов", after, item, name));
            after = name;
        }
        std::string name;
        ASSERT_TRUE(taskConfig.InsertTemplateItem("Долги", "Петров", "", {.path = "2\\"}, name));

        const std::vector<std::int16_t> greeting = test::certifiedGreeting(dir.dataDirectory());
        ASSERT_FALSE(greeting.empty());
        for (const std::int16_t sample : greeting)
            test::putU16(sounds["PRIV"], static_cast<std::uint16_t>(sample));
        std::int16_t first = 1000;
        for (const char *id : {"0012", "_020", "_001", "__PS", "+RR ", "_005", "+SSK"}) {
            sounds[id] = test::samples(40, first);
            first = static_cast<std::int16_t>(first + 1000);
        }
    }

    void writeBank(const std::vector<std::string> &ids) const
    {
        std::vector<Bytes> chunks;
        for (const std::string &id : ids)
            chunks.push_back(test::chunk(id, sounds.at(id)));
        test::writeFile(dir.dataDirectory().productBank(), test::bank(chunks));
    }

    int render(const std::string &arguments) const
    {
        return test::runVorela(dir.path(), "render " + arguments).status;
    }

    /// The WAV file the bank's sounds of ids make, one after another, through line when given.
    Bytes wavOf(const std::vector<std::string> &ids, std::optional<LineCoding> line = {}) const
    {
        Bytes data;
        for (const std::string &id : ids)
            data = test::concat(data, sounds.at(id));
        if (line) {
            std::vector<std::int16_t> samples(data.size() / 2);
            std::memcpy(samples.data(), data.data(), data.size());
            passPhoneLine(samples, *line);
            std::memcpy(data.data(), samples.data(), data.size());
        }
        return test::riffWave(
            {test::chunk("fmt ", test::formatRecord()), test::chunk("data", data)});
    }

    const std::vector<std::string> allIds = {"+SSK", "_005", "0012", "PRIV",
                                             "_020", "+RR ", "__PS", "_001"};
    const std::vector<std::string> firstRecord = {"PRIV", "0012", "_020", "_001",
                                                  "__PS", "+RR ", "_005", "+SSK"};
    const std::vector<std::string> thirdRecord = {"PRIV", "0012", "_001", "__PS",
                                                  "+RR ", "_005", "+SSK"};

    test::TempDataDir dir;
    std::map<std::string, Bytes> sounds;
    std::filesystem::path out = dir.path() / "out.wav";
};

TEST_F(RenderCommandTest, WavIsTheTemplatesLexemesOneAfterAnother)
{
    writeBank(allIds);
    ASSERT_EQ(render("Долги Иванов -o '" + out.string() + "'"), 0);
    EXPECT_EQ(test::readFile(out), wavOf(firstRecord));
}

TEST_F(RenderCommandTest, RecordNumberChoosesTheValuesSpoken)
{
    writeBank(allIds);
    ASSERT_EQ(render("Долги Иванов --record 3 -o '" + out.string() + "'"), 0);
    EXPECT_EQ(test::readFile(out), wavOf(thirdRecord));
    ASSERT_EQ(render("Долги Иванов -o '" + out.string() + "' --record 1"), 0);
    EXPECT_EQ(test::readFile(out), wavOf(firstRecord));

    std::filesystem::remove(out);
    // Deleted, missing, unspeakable, and no record number at all.
    for (const char *record : {"2", "5", "4", "0", "x", "-1", "1x"}) {
        EXPECT_EQ(
            render("Долги Иванов --record " + std::string(record) + " -o '" + out.string() + "'"),
            1)
            << record;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RenderCommandTest, LineOptionPassesTheSoundThroughTheChosenLaw)
{
    writeBank(allIds);
    ASSERT_EQ(render("Долги Иванов --line alaw -o '" + out.string() + "'"), 0);
    EXPECT_EQ(test::readFile(out), wavOf(firstRecord, LineCoding::ALaw));
    ASSERT_EQ(render("Долги Иванов --record 3 --line ulaw -o '" + out.string() + "'"), 0);
    EXPECT_EQ(test::readFile(out), wavOf(thirdRecord, LineCoding::MuLaw));
    EXPECT_EQ(render("Долги Иванов --line g722 -o '" + out.string() + "'"), 1);
}

TEST_F(RenderCommandTest, AllWritesEveryLiveRecordAndReportsTheOnesNotSpoken)
{
    writeBank(allIds);
    const std::filesystem::path folder = dir.path() / "archive";
    const test::ToolRun run =
        test::runVorela(dir.path(), "render Долги Иванов --all -o '" + folder.string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("record 4: "), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("record 2"), std::string::npos) << run.errors;
    EXPECT_EQ(test::readFile(folder / "000001.wav"), wavOf(firstRecord));
    EXPECT_EQ(test::readFile(folder / "000003.wav"), wavOf(thirdRecord));
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"000001.wav", "000003.wav"}));
}

TEST_F(RenderCommandTest, AllNamesFilesByAColumnInsideTheFolderOnly)
{
    writeBank(allIds);
    test::DbfBuilder({{"SUMMA", 'N', 10, 2}, {"PHONE", 'C', 12}})
        .record({"21.05", "+7 912/34"})
        .record({"1.05", "+7 912/34"})
        .record({"1.05", "../etc"})
        .record({"1.05", "..."})
        .write(dir.path() / "dolg.dbf");
    const std::filesystem::path folder = dir.path() / "archive";
    ASSERT_EQ(render("Долги Иванов --all --name-by phone --line alaw -o '" + folder.string() + "'"),
              0);
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"+7_912_34-2.wav", "+7_912_34.wav", "000004.wav",
                                               "_etc.wav"}));
    EXPECT_EQ(test::readFile(folder / "+7_912_34-2.wav"), wavOf(thirdRecord, LineCoding::ALaw));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "etc.wav"));

    EXPECT_EQ(render("Долги Иванов --all --name-by NOSUCH -o '" + folder.string() + "'"), 1);
    EXPECT_EQ(render("Долги Иванов --all --record 1 -o '" + folder.string() + "'"), 1);
    EXPECT_EQ(render("Долги Иванов --name-by PHONE -o '" + out.string() + "'"), 1);
}

TEST_F(RenderCommandTest, AnythingThatCannotBeSpokenLeavesNoFile)
{
    writeBank({"0012", "PRIV", "_020", "_001", "__PS", "+RR ", "_005"}); // "+SSK" is missing
    EXPECT_EQ(render("Долги Иванов -o '" + out.string() + "'"), 1);
    EXPECT_FALSE(std::filesystem::exists(out));

    writeBank({"0012", "PRIV", "_020", "_001", "__PS", "+RR ", "_005", "+SSK"});
    std::filesystem::remove_all(dir.dataDirectory().trustedKeys()); // the greeting's key
    EXPECT_EQ(render("Долги Иванов -o '" + out.string() + "'"), 1);
    EXPECT_FALSE(std::filesystem::exists(out));

    EXPECT_EQ(render("Долги Петров -o '" + out.string() + "'"), 1); // no greeting phrase
    EXPECT_EQ(render("Долги Сидоров -o '" + out.string() + "'"), 1);
    EXPECT_EQ(render("Долги Иванов"), 1);
    EXPECT_EQ(render("Долги Иванов -o '" + out.string() + "' --today 2026-13-01"), 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The registry matches names in any letter case; the tool finds them so and names them as stored.
TEST_F(RenderCommandTest, RenderAndPreflightFindNamesInAnyLetterCase)
{
    writeBank(allIds);
    const std::string output = " -o '" + out.string() + "'";
    const struct {
        std::string arguments;
        int status;
        std::string said; // in stdout and stderr
    } cases[] = {
        {"render ДОЛГИ иванов" + output, 0, ""},
        {"render дОлГи ИВАНОВ --all -o '" + (dir.path() / "archive").string() + "'", 2,
         "2 of 3 records written"},
        {"render долги ПЕТРОВ" + output, 1, "the template of Долги\\Петров holds no greeting"},
        {"render долги сидоров" + output, 1, "no operator 'сидоров' of task 'Долги'"},
        {"preflight ДОЛГИ иванов", 2, "запись 4, Иванов, «Сумма (руб)(SUMMA)»"},
        {"preflight долги сидоров", 1, "no operator 'сидоров' of task 'Долги'"},
    };
    for (const auto &[arguments, status, said] : cases) {
        const test::ToolRun run = test::runVorela(dir.path(), arguments);
        EXPECT_EQ(run.status, status) << arguments << ": " << run.errors;
        EXPECT_NE((run.output + run.errors).find(said), std::string::npos)
            << arguments << ": " << run.output << run.errors;
    }
}

} // namespace
} // namespace vorela
