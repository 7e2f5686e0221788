// Adding and removing tasks and operators: the layout the editor loads without writing anything,
// names and tables that are refused, and failed steps that leave the store as it was.
#include "stores/TaskConfiguration.h"

#include "StoreFixtures.h"
#include "stores/Aliases.h"
#include "stores/RegistryPaths.h"
#include "tables/DbfBuilder.h"

#include <gtest/gtest.h>

#include <functional>

namespace vorela {
namespace {

using namespace std::chrono_literals;

class TaskConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::DbfBuilder({{"SUMMA", 'N', 10, 2}}).record({"21.05"}).write(table());
        ASSERT_TRUE(configuration.addTask("Долг", table(), "").ok());
        ASSERT_TRUE(configuration.addOperator("Долг", "Оп1").ok());
    }

    [[nodiscard]] std::filesystem::path table() const { return dir.path() / "t.dbf"; }
    [[nodiscard]] RegistryKey taskKey(std::string_view task) const
    {
        return store->openKey(std::string(TasksRootPath) + std::string(task));
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    TaskConfiguration configuration{*store, dir.dataDirectory(), 0ms};
};

TEST_F(TaskConfigurationTest, AddedTaskAndOperatorAreWholeForTheEditor)
{
    // A relative table path is stored as the absolute path the notification application needs.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const TaskChangeResult added = configuration.addTask("Доставка", "t.dbf", "Курьеры");
    std::filesystem::current_path(previous);
    ASSERT_TRUE(added.ok()) << added.error;
    ASSERT_TRUE(configuration.addOperator("Доставка", "Курьер").ok());

    // Loading finds every default value and fixed subkey: it has nothing to write.
    const std::string before = test::storeSnapshot(*store);
    Aliases tasks(*store, dir.dataDirectory());
    EXPECT_EQ(test::storeSnapshot(*store), before);
    EXPECT_TRUE(tasks.hasAllDefaults());
    EXPECT_EQ(tasks.GetTaskNames(), (std::vector<std::string>{"Долг", "Доставка"}));
    EXPECT_EQ(tasks.GetFile("Доставка"), table().string());
    EXPECT_EQ(tasks.GetComm("Доставка"), "Курьеры");
    EXPECT_EQ(tasks.GetOperatorNames("Доставка"), std::vector<std::string>{"Курьер"});
    bool found = false;
    EXPECT_TRUE(tasks.GetTemplate("Доставка", "Курьер", found).empty());
    EXPECT_TRUE(found);
    std::string item;
    EXPECT_TRUE(tasks.InsertTemplateItem("Доставка", "Курьер", "", {.path = "1\\"}, item));
    EXPECT_EQ(item, "0001");
}

TEST_F(TaskConfigurationTest, RefusedChangesSayWhyAndWriteNothing)
{
    const std::filesystem::path notDbf = dir.path() / "notes.txt";
    test::DbfBuilder::writeBytes(notDbf, "not a table");
    const std::filesystem::path cut = dir.path() / "cut.dbf";
    const std::string whole =
        test::DbfBuilder({{"NAME", 'C', 10}}).record({"a"}).record({"b"}).bytes();
    test::DbfBuilder::writeBytes(cut, whole.substr(0, whole.size() - 12));
    const std::string tooLongOperator(227, 'y'); // "Долг" is 24 bytes in a lock file name

    using Change = std::function<TaskChangeResult(TaskConfiguration &)>;
    const std::vector<std::pair<Change, std::string>> cases = {
        {[&](auto &c) { return c.addTask("", table(), ""); }, "task '': the name is empty"},
        {[&](auto &c) { return c.addTask("a\\b", table(), ""); },
         "task 'a\\b': the name contains '\\', which separates registry keys"},
        {[&](auto &c) { return c.addTask("a\tb", table(), ""); },
         "task 'a\tb': the name contains a control character"},
        {[&](auto &c) { return c.addTask("Долг ", table(), ""); },
         "task 'Долг ': the name begins or ends with a blank"},
        {[&](auto &c) { return c.addTask("\xD0", table(), ""); },
         "task '\xD0': the name is not valid UTF-8"},
        {[&](auto &c) { return c.addTask(std::string(250, 'x'), table(), ""); },
         "task '" + std::string(250, 'x') + "': the name is too long for a template lock"},
        {[&](auto &c) { return c.addTask("ДОЛГ", table(), ""); }, "task 'Долг' exists already"},
        {[&](auto &c) { return c.addTask("Новая", dir.path() / "none.dbf", ""); },
         (dir.path() / "none.dbf").string() + ": no such table file"},
        {[&](auto &c) { return c.addTask("Новая", dir.path(), ""); },
         dir.path().string() + ": no such table file"},
        {[&](auto &c) { return c.addOperator("Нет", "Оп"); }, "no task 'Нет'"},
        {[&](auto &c) { return c.addOperator("долг", "оП1"); },
         "task 'Долг', operator 'Оп1' exists already"},
        {[&](auto &c) { return c.addOperator("Долг", " "); },
         "task 'Долг', operator ' ': the name begins or ends with a blank"},
        {[&](auto &c) { return c.addOperator("Долг", tooLongOperator); },
         "task 'Долг', operator '" + tooLongOperator +
             "': the names are too long together: the template lock file "
             "%D0%94%D0%BE%D0%BB%D0%B3" +
             tooLongOperator + ".lock would be longer than 255 bytes"},
        {[&](auto &c) { return c.removeTask("Нет"); }, "no task 'Нет'"},
        // Neither may reach the task list itself or a key deeper down.
        {[&](auto &c) { return c.removeTask(""); }, "no task ''"},
        {[&](auto &c) { return c.removeTask("Долг\\Операторы"); }, "no task 'Долг\\Операторы'"},
        {[&](auto &c) { return c.removeOperator("Долг", "Оп2"); },
         "no operator 'Оп2' in task 'Долг'"},
        {[&](auto &c) { return c.removeOperator("Долг", ""); }, "no operator '' in task 'Долг'"},
    };
    const std::string before = test::storeSnapshot(*store);
    for (const auto &[change, error] : cases) {
        const TaskChangeResult result = change(configuration);
        EXPECT_EQ(result.error, error);
        EXPECT_EQ(test::storeSnapshot(*store), before) << error;
    }
    // What the table reader says is wrong with a file that is no readable table.
    for (const std::filesystem::path &file : {notDbf, cut}) {
        const TaskChangeResult result = configuration.addTask("Новая", file, "");
        EXPECT_TRUE(result.error.starts_with(file.string() + ": ")) << result.error;
        EXPECT_EQ(test::storeSnapshot(*store), before) << file;
    }
}

TEST_F(TaskConfigurationTest, NamesUpToTheLockFileLimitAreAccepted)
{
    EXPECT_TRUE(configuration.addTask(std::string(249, 'x'), table(), "").ok());
    EXPECT_TRUE(configuration.addOperator("Долг", std::string(226, 'y')).ok());
    EXPECT_TRUE(configuration.addOperator("Долг", "Оп 2").ok());
    EXPECT_EQ(Aliases(*store, dir.dataDirectory()).GetOperatorNames("Долг").size(), 3u);
}

TEST_F(TaskConfigurationTest, RemovalsTakeTheWholeSubtreeAndNothingBeside)
{
    ASSERT_TRUE(configuration.addOperator("Долг", "Оп2").ok());
    ASSERT_TRUE(configuration.addTask("Доставка", table(), "").ok());
    ASSERT_TRUE(configuration.addOperator("Доставка", "Курьер").ok());
    // What the notification application keeps below an operator goes with it.
    const RegistryKey schedules = taskKey("Долг\\Операторы\\Оп1\\Расписания");
    ASSERT_TRUE(schedules.createKey("Пн").writeString("From", "09:00"));
    const std::string otherTask =
        test::storeSnapshot(*store).substr(test::storeSnapshot(*store).find("\\Доставка]"));

    const TaskChangeResult first = configuration.removeOperator("ДОЛГ", "оп1");
    EXPECT_TRUE(first.ok() && first.notice.empty()) << first.error;
    EXPECT_FALSE(taskKey("Долг\\Операторы\\Оп1").isOpen());
    EXPECT_TRUE(taskKey("Долг\\Операторы\\Оп2\\Шаблоны").isOpen());
    EXPECT_EQ(taskKey("Долг").readString("File"), table().string());

    const TaskChangeResult last = configuration.removeOperator("Долг", "Оп2");
    EXPECT_TRUE(last.ok());
    EXPECT_EQ(last.notice, "task 'Долг' has no operator left: the notification application has "
                           "no template to speak for it");
    EXPECT_TRUE(taskKey("Долг\\Операторы").isOpen());

    ASSERT_TRUE(configuration.addOperator("Долг", "Оп3").ok());
    EXPECT_TRUE(configuration.removeTask("долг").ok());
    EXPECT_FALSE(taskKey("Долг").isOpen());
    const std::string after = test::storeSnapshot(*store);
    EXPECT_EQ(after.substr(after.find("\\Доставка]")), otherTask);
}

// Each change from the same start fails at each of its registry steps in turn.
TEST(TaskConfigurationFailure, EachFailedStepLeavesTheStoreAsItWas)
{
    using Change = std::function<TaskChangeResult(TaskConfiguration &, const std::string &table)>;
    const std::vector<std::pair<const char *, Change>> changes = {
        {"addTask", [](auto &c, const auto &table) { return c.addTask("Новая", table, "x"); }},
        {"addOperator", [](auto &c, const auto &) { return c.addOperator("Долг", "Оп2"); }},
        {"removeOperator", [](auto &c, const auto &) { return c.removeOperator("Долг", "Оп1"); }},
        {"removeTask", [](auto &c, const auto &) { return c.removeTask("Долг"); }},
    };
    for (const auto &[name, change] : changes) {
        const test::TempDataDir dir;
        const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
        const std::string table = (dir.path() / "t.dbf").string();
        test::DbfBuilder({{"NAME", 'C', 10}}).write(table);
        TaskConfiguration configuration(*store, dir.dataDirectory(), 0ms);
        ASSERT_TRUE(configuration.addTask("Долг", table, "").ok());
        ASSERT_TRUE(configuration.addOperator("Долг", "Оп1").ok());
        for (unsigned nth = 1;; ++nth) {
            ASSERT_LT(nth, 100u) << name << " never completes";
            const std::string before = test::storeSnapshot(*store);
            store->failStep(nth);
            const TaskChangeResult result = change(configuration, table);
            const bool failed = store->failureTriggered();
            store->failStep(std::nullopt);
            if (!failed) {
                EXPECT_TRUE(result.ok()) << name << ": " << result.error;
                EXPECT_NE(test::storeSnapshot(*store), before) << name;
                break;
            }
            EXPECT_EQ(result.error, store->file().string() +
                                        ": the registry store is busy or cannot be written; "
                                        "nothing was changed")
                << name << ", step " << nth;
            EXPECT_EQ(test::storeSnapshot(*store), before) << name << ", step " << nth;
        }
    }
}

} // namespace
} // namespace vorela
