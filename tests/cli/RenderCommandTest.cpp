// `vorela render` run as a real process on a real registry store, bank and trusted key.
#include "LexemeNodes.h"
#include "ToolProcess.h"
#include "platform/DbfBuilder.h"
#include "platform/RegistryStore.h"
#include "soundbank/RiffBytes.h"
#include "stores/Aliases.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "support/CertifiedGreeting.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <map>

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
        test::DbfBuilder({{"SUMMA", 'N', 10, 2}}).record({"21.05"}).write(table);
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

    test::TempDataDir dir;
    std::map<std::string, Bytes> sounds;
    std::filesystem::path out = dir.path() / "out.wav";
};

TEST_F(RenderCommandTest, WavIsTheTemplatesLexemesOneAfterAnother)
{
    const std::vector<std::string> spoken = {"PRIV", "0012", "_020", "_001",
                                             "__PS", "+RR ", "_005", "+SSK"};
    writeBank({"+SSK", "_005", "0012", "PRIV", "_020", "+RR ", "__PS", "_001"});
    ASSERT_EQ(render("Долги Иванов -o '" + out.string() + "'"), 0);
    Bytes data;
    for (const std::string &id : spoken)
        data = test::concat(data, sounds.at(id));
    const Bytes expected =
        test::riffWave({test::chunk("fmt ", test::formatRecord()), test::chunk("data", data)});
    EXPECT_EQ(test::readFile(out), expected);
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

} // namespace
} // namespace vorela
