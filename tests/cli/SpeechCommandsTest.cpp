// `vorela speak`, `vorela table` and `vorela expand` run as real processes on real files.
#include "LexemeNodes.h"
#include "ToolProcess.h"
#include "platform/RegistryStore.h"
#include "stores/Aliases.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vorela {
namespace {

using test::DbfBuilder;

class SpeechCommandsTest : public ::testing::Test {
protected:
    test::ToolRun vorela(const std::string &arguments) const
    {
        return test::runVorela(dir.path(), arguments);
    }

    std::string file(const std::string &name) const { return (dir.path() / name).string(); }

    test::TempDataDir dir;
};

TEST_F(SpeechCommandsTest, SpeakPrintsKeysAndTellsWhetherTheyCanBeSpoken)
{
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"speak amount --currency 1 21,05", 0, "_020\n_001\n__PS\n+RR \n_005\n+SSK\n"},
        {"speak number --feminine 21", 0, "_020\n_01A\n"},
        {"speak date --genitive 31 12", 0, "_030\n_O01\n+T12\n"},
        {"speak from-today --today 2024-02-28 1", 0, "_020\n_E09\n+T02\n"},
        {"speak time '21 01'", 0, "_020\n_001\n+CLC\n_01A\n+MNA\n"},
        {"speak flat ''", 0, ""},
        {"speak time '24 00'", 2, ""},
        {"speak number 1000", 2, ""},
        {"speak number abc", 1, ""},
        {"speak date 31", 1, ""},
        {"speak amount --currency 4 1", 1, ""},
        {"speak from-today --today 2024-13-01 1", 1, ""},
        {"speak whisper 1", 1, ""},
    };
    for (const auto &[arguments, status, out] : cases) {
        const test::ToolRun run = vorela(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.output, out) << arguments;
    }
}

TEST_F(SpeechCommandsTest, TableShowsColumnsAndValues)
{
    DbfBuilder({{"NAME", 'C', 12}, {"SUMMA", 'N', 10, 2}, {"NOTE", 'M', 10}})
        .record({"Gone"}, /*deleted=*/true)
        .record({"Ivanov", "12.5"})
        .write(file("t.dbf"));
    DbfBuilder({{"NAME", 'C', 12}}).write(file("empty.dbf"));
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"table columns " + file("t.dbf"), 0, "NAME\t1\t12\t0\nSUMMA\t3\t10\t2\nNOTE\t-1\t10\t0\n"},
        {"table value " + file("t.dbf") + " summa", 0, "12.50\n"},
        {"table value " + file("t.dbf") + " '*'", 0, "Ivanov\n"},
        {"table value " + file("t.dbf") + " \"'12,50'\"", 0, "12,50\n"},
        {"table value " + file("empty.dbf") + " NAME", 0, "\n"},
        {"table value " + file("t.dbf") + " 'NAME FROM x'", 1, ""},
        {"table value " + file("none.dbf") + " NAME", 1, ""},
        {"table columns " + dir.path().string(), 1, ""},
    };
    for (const auto &[arguments, status, out] : cases) {
        const test::ToolRun run = vorela(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.output, out) << arguments;
    }
}

TEST_F(SpeechCommandsTest, ExpandSpeaksATemplateWithItsTableValues)
{
    DbfBuilder({{"SUMMA", 'N', 10, 2}}).record({"21.05"}).write(file("t.dbf"));
    std::vector<std::string> names;
    {
        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeLexemeNodes(*store, {{"1", "0012", "Здравствуйте"},
                                        {"2", "@009", "Сумма (руб)"},
                                        {"3", "@006", "ДатаП+005, им"}});
        const std::string task = std::string(TasksRootPath) + "Задача\\";
        ASSERT_TRUE(store->createKey(task).writeString("File", file("t.dbf")));
        (void)store->createKey(task + std::string(OperatorsKeyName) + "\\Иванов");
        Aliases taskConfig(*store, dir.dataDirectory());
        std::string after;
        for (const PatternItem &item :
             {PatternItem{.path = "1\\"}, PatternItem{.path = "2\\", .arg = "SUMMA"},
              PatternItem{.path = "3\\"}}) {
            std::string name;
            ASSERT_TRUE(taskConfig.InsertTemplateItem("Задача", "Иванов", after, item, name));
            names.push_back(after = name);
        }
    }
    const test::ToolRun all = vorela("expand Задача Иванов --today 2026-12-07");
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.output, "----" + names[0] + "\n0012\n----" + names[1] +
                              "\n_020\n_001\n__PS\n+RR \n_005\n+SSK\n----" + names[2] +
                              "\n_E12\n+T12\n");
    const test::ToolRun one = vorela("expand Задача Иванов " + names[1]);
    EXPECT_EQ(one.output, "----" + names[1] + "\n_020\n_001\n__PS\n+RR \n_005\n+SSK\n");
    EXPECT_EQ(vorela("expand Задача Петров").status, 1);
    EXPECT_EQ(vorela("expand Задача Иванов 9999").status, 1);
}

} // namespace
} // namespace vorela
