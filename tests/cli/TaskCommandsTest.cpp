// `vorela task` and `vorela operator` as an administrator runs them on a new installation: a task
// that the other commands can use, refusals that change nothing, and templates locked elsewhere.
#include "ToolProcess.h"
#include "platform/NamedMutex.h"
#include "platform/RegistryStore.h"
#include "stores/Aliases.h"
#include "support/ChildProcess.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>
#include <vector>

namespace vorela {
namespace {

using namespace std::chrono_literals;

class TaskCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(test::runVorela(data, "init").status, 0);
        test::DbfBuilder({{"SUMMA", 'N', 10, 2}}).record({"21.05"}).write(table);
    }

    test::ToolRun vorela(const std::string &arguments) const
    {
        return test::runVorela(data, arguments);
    }
    /// Compared whole, without printing: the export is UTF-16.
    [[nodiscard]] std::string registryExport() const
    {
        const test::ToolRun run = vorela("reg export");
        EXPECT_EQ(run.status, 0) << run.errors;
        return run.output;
    }

    test::TempDataDir dir;
    const std::filesystem::path data = dir.path() / "data";
    const std::string table = (dir.path() / "t.dbf").string();
};

TEST_F(TaskCommandsTest, AddedTaskIsCheckedExpandedAndRemovedWithoutTrace)
{
    ASSERT_EQ(vorela("tasks").status, 0); // an installation that has run has the task list
    const std::string initial = registryExport();
    const test::ToolRun checkBefore = vorela("check");

    const test::ToolRun task = vorela("task add Долг --table " + table + " --comment 'Пени'");
    EXPECT_EQ(task.status, 0) << task.errors;
    EXPECT_EQ(task.output, "added task 'Долг'\n");
    const test::ToolRun operatorRun = vorela("operator add Долг 'Оператор 1'");
    EXPECT_EQ(operatorRun.status, 0) << operatorRun.errors;
    EXPECT_EQ(operatorRun.output, "added operator 'Оператор 1' of task 'Долг'\n");
    EXPECT_EQ(vorela("tasks").output, "Долг\tОператор 1\n");
    const test::ToolRun checkAfter = vorela("check");
    EXPECT_EQ(checkAfter.status, checkBefore.status);
    EXPECT_EQ(checkAfter.output, checkBefore.output);

    {
        // The editor drops an amount bound to the table's column into the new template.
        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(DataDirectory(data).registry(), error);
        ASSERT_TRUE(store) << error;
        Aliases tasks(*store, DataDirectory(data));
        std::string item;
        ASSERT_TRUE(tasks.InsertTemplateItem("Долг", "Оператор 1", "",
                                             {.path = "2\\10\\", .arg = "SUMMA"}, item));
    }
    const test::ToolRun expand = vorela("expand Долг 'Оператор 1'");
    EXPECT_EQ(expand.status, 0) << expand.errors;
    EXPECT_EQ(expand.output, "----0001\n_020\n_001\n__PS\n+RR \n_005\n+SSK\n");

    const test::ToolRun lastOperator = vorela("operator remove долг 'оператор 1'");
    EXPECT_EQ(lastOperator.status, 0);
    EXPECT_EQ(lastOperator.errors, "vorela: warning: task 'Долг' has no operator left: the "
                                   "notification application has no template to speak for it\n");
    EXPECT_EQ(vorela("task remove ДОЛГ").status, 0);
    EXPECT_TRUE(registryExport() == initial);
}

TEST_F(TaskCommandsTest, RefusalsAndWrongArgumentsChangeNothing)
{
    ASSERT_EQ(vorela("task add Долг --table " + table).status, 0);
    ASSERT_EQ(vorela("operator add Долг Оп1").status, 0);
    const std::string before = registryExport();
    const std::vector<std::string> commands = {
        "task add ДОЛГ --table " + table,
        "task add Новая --table " + data.string() + "/vorela.awf",
        "task add Новая --table " + dir.path().string() + "/none.dbf",
        "task add 'Новая\\Вложенная' --table " + table,
        "task remove Нет",
        "task remove ''",
        "operator add Нет Оп",
        "operator add Долг ОП1",
        "operator add Долг ' Оп'",
        "operator remove Долг Оп2",
        // Wrong arguments: the usage, and nothing done.
        "task",
        "task add Новая",
        "task add Новая --table",
        "task add Новая --table " + table + " --table " + table,
        "task add Новая --table " + table + " --wait soon",
        "task add Новая --table " + table + " --owner me",
        "task remove Долг --comment x",
        "task rename Долг Новая",
        "operator add Долг",
        "operator remove Долг Оп1 Оп2",
    };
    for (const std::string &command : commands) {
        const test::ToolRun run = vorela(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_TRUE(run.output.empty()) << command;
        EXPECT_TRUE(run.errors.starts_with("vorela: ")) << command;
        EXPECT_TRUE(registryExport() == before) << command;
    }
}

TEST_F(TaskCommandsTest, TemplateLockedByAnotherProcessRefusesTheChange)
{
    ASSERT_EQ(vorela("task add Долг --table " + table).status, 0);
    ASSERT_EQ(vorela("operator add Долг Оп1").status, 0);
    ASSERT_EQ(vorela("operator add Долг Оп2").status, 0);
    // The notification application reads the templates of Оп1 and of a coming Оп3; the locks
    // carry the names as stored, whatever case the administrator types.
    test::ChildProcess reader([&](test::ChildProcess &self) {
        NamedMutex first(DataDirectory(data), "ДолгОп1");
        NamedMutex coming(DataDirectory(data), "ДолгОп3");
        if (!first.tryLock() || !coming.tryLock())
            return 1;
        self.tell('L');
        (void)self.await();
        return 0;
    });
    ASSERT_EQ(reader.receive(5s), 'L');
    const std::string before = registryExport();
    const std::string lockFile = (data / "locks" / NamedMutex::lockFileName("ДолгОп1")).string();
    const std::string refusal = "vorela: the template of task 'Долг', operator 'Оп1' is locked by "
                                "another process (" +
                                lockFile + "); try again when it is free\n";
    for (const char *command : {"operator remove долг оп1 --wait 0", "task remove ДОЛГ --wait 0"}) {
        const test::ToolRun run = vorela(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.errors, refusal) << command;
        EXPECT_TRUE(registryExport() == before) << command;
    }
    EXPECT_EQ(vorela("operator add Долг Оп3 --wait 0").status, 1);
    EXPECT_EQ(vorela("operator remove Долг Оп2 --wait 0").status, 0);
    EXPECT_EQ(vorela("tasks").output, "Долг\tОп1\n");

    reader.send('R');
    EXPECT_EQ(reader.wait(), 0);
    EXPECT_EQ(vorela("task remove Долг --wait 0").status, 0);
    EXPECT_EQ(vorela("tasks").output, "");
}

// Whether file is opened within timeout (it must exist): a waiting tool opens its lock file after
// it has looked its task up.
bool openedWithin(const std::filesystem::path &file, std::chrono::milliseconds timeout)
{
    const int watch = inotify_init1(IN_CLOEXEC);
    pollfd event{watch, POLLIN, 0};
    const bool opened = inotify_add_watch(watch, file.c_str(), IN_OPEN) >= 0 &&
                        poll(&event, 1, static_cast<int>(timeout.count())) == 1;
    close(watch);
    return opened;
}

// The add waits for the template lock while its task is removed and a new task takes the freed
// key ids: the add must find its task gone, not write into the new one.
TEST_F(TaskCommandsTest, AChangeThatWaitedLandsWhereItWasMeantOrNowhere)
{
    ASSERT_EQ(vorela("task add Tq --table " + table).status, 0);
    test::ChildProcess reader([&](test::ChildProcess &self) {
        NamedMutex held(DataDirectory(data), "TqXq");
        if (!held.tryLock())
            return 1;
        self.tell('L');
        (void)self.await();
        return 0;
    });
    ASSERT_EQ(reader.receive(5s), 'L');
    test::ChildProcess adder([&](test::ChildProcess &) {
        const test::ToolRun run = vorela("operator add Tq Xq --wait 15");
        return run.status == 1 && run.errors.find("'Tq' was removed") != std::string::npos ? 0 : 1;
    });
    ASSERT_TRUE(openedWithin(data / "locks" / "TqXq.lock", 10s));
    ASSERT_EQ(vorela("task remove Tq --wait 0").status, 0);
    ASSERT_EQ(vorela("task add Uq --table " + table).status, 0);
    reader.send('R');
    EXPECT_EQ(reader.wait(), 0);
    EXPECT_EQ(adder.wait(), 0);
    EXPECT_EQ(vorela("tasks").output, "");
}

} // namespace
} // namespace vorela
