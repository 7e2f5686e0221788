#include "stores/Aliases.h"

#include "StoreFixtures.h"
#include "stores/RegistryPaths.h"

#include <gtest/gtest.h>

namespace vorela {

class AliasesTest : public ::testing::Test {
protected:
    /// Whether task T and its operator O hold every default value and fixed subkey.
    [[nodiscard]] bool defaultsOfTStored() const
    {
        const RegistryKey task = tasksKey.openKey("T");
        const RegistryKey op = task.openKey("Операторы\\O");
        const RegistryKey ranges = op.openKey("Диапазоны");
        return task.hasValue("File") && task.hasValue("Comm") && op.hasValue("FieldSort") &&
               op.hasValue("Ascend") && ranges.hasValue("Field") && ranges.hasValue("Type") &&
               op.openKey("Расписания").isOpen() && op.openKey("Шаблоны").isOpen();
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    RegistryKey tasksKey = store->createKey(TasksRootPath);
};

TEST_F(AliasesTest, LoadingCreatesTheFixedKeysAndDefaultsAndKeepsTheRest)
{
    ASSERT_TRUE(tasksKey.createKey("Долги").writeString("Owner", "ops"));
    ASSERT_TRUE(tasksKey.createKey("Пусто").isOpen());
    const RegistryKey operatorKey = tasksKey.createKey("Долги\\Операторы\\Оп1");
    ASSERT_TRUE(operatorKey.writeDword("Ascend", 1) && operatorKey.writeString("Phones", "3"));
    ASSERT_TRUE(operatorKey.createKey("Расписания\\Пн").writeString("From", "09:00"));
    ASSERT_TRUE(tasksKey.createKey("Долги\\Операторы\\Оп0").isOpen());

    const Aliases tasks(*store, dir.dataDirectory());
    EXPECT_EQ(tasks.GetTaskNames(), (std::vector<std::string>{"Долги", "Пусто"}));
    EXPECT_EQ(tasks.GetOperatorNames("Долги"), (std::vector<std::string>{"Оп0", "Оп1"}));
    bool found = false;
    EXPECT_TRUE(tasks.GetOperatorNames("Пусто", found).empty());
    EXPECT_TRUE(found);
    EXPECT_TRUE(tasksKey.openKey("Пусто\\Операторы").isOpen());

    const RegistryKey task = tasksKey.openKey("Долги");
    EXPECT_EQ(task.readString("File"), "");
    EXPECT_EQ(task.readString("Comm"), "");
    EXPECT_EQ(task.readString("Owner"), "ops");
    EXPECT_EQ(operatorKey.readDword("Ascend"), 1u);
    EXPECT_EQ(operatorKey.readString("FieldSort"), "");
    EXPECT_EQ(operatorKey.readString("Phones"), "3");
    EXPECT_EQ(operatorKey.openKey("Диапазоны").readString("Field"), "");
    EXPECT_EQ(operatorKey.openKey("Диапазоны").readString("Type"), "");
    EXPECT_TRUE(operatorKey.openKey("Шаблоны").isOpen());
    EXPECT_EQ(operatorKey.openKey("Расписания\\Пн").readString("From"), "09:00");
    EXPECT_EQ(tasksKey.openKey("Долги\\Операторы\\Оп0").readDword("Ascend"), 0u);
    Operator *loaded = tasks.tasks()[0]->operators().findOperator("Оп1");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->schedules().scheduleNames(), std::vector<std::string>{"Пн"});
}

TEST_F(AliasesTest, MissingTasksAndOperatorsAreReportedAndWriteNothing)
{
    ASSERT_TRUE(tasksKey.createKey("T\\Операторы\\O").isOpen());
    ASSERT_TRUE(tasksKey.createKey("T").writeString("File", "/data/t.dbf"));
    Aliases tasks(*store, dir.dataDirectory());
    const std::string before = test::storeSnapshot(*store);
    bool found = true;
    EXPECT_EQ(tasks.GetFile("X", found), "");
    EXPECT_FALSE(found);
    EXPECT_EQ(tasks.GetComm("t", found), ""); // task names match exactly
    EXPECT_FALSE(found);
    EXPECT_TRUE(tasks.GetTemplate("T", "X", found).empty());
    EXPECT_FALSE(found);
    std::string newName;
    EXPECT_FALSE(tasks.InsertTemplateItem("X", "O", "", PatternItem{}, newName));
    EXPECT_FALSE(tasks.MoveTemplateItem("T", "X", "", "0001"));
    EXPECT_FALSE(tasks.RemoveTemplateItem("X", "O", "0001"));
    EXPECT_FALSE(tasks.UpdateTemplateItem("T", "o", "0001", PatternItem{}));
    EXPECT_EQ(test::storeSnapshot(*store), before);

    EXPECT_EQ(tasks.GetFile("T", found), "/data/t.dbf");
    EXPECT_TRUE(found);
    ASSERT_TRUE(tasks.InsertTemplateItem("T", "O", "", PatternItem{.path = "1\\"}, newName));
    EXPECT_EQ(tasks.GetTemplate("T", "O", found).size(), 1u);
    EXPECT_TRUE(found);
}

TEST_F(AliasesTest, FileAndCommReadTheirOwnTasksValues)
{
    const RegistryKey first = tasksKey.createKey("T");
    ASSERT_TRUE(first.writeString("File", "/data/t.dbf") && first.writeString("Comm", "Должники"));
    ASSERT_TRUE(tasksKey.createKey("U").writeString("Comm", "Вторая"));
    const Aliases tasks(*store, dir.dataDirectory());
    bool found = false;
    EXPECT_EQ(tasks.GetComm("T", found), "Должники");
    EXPECT_TRUE(found);
    EXPECT_EQ(tasks.GetComm("T"), "Должники");
    EXPECT_EQ(tasks.GetFile("T"), "/data/t.dbf");
    EXPECT_EQ(tasks.GetComm("U"), "Вторая");
    EXPECT_EQ(tasks.GetFile("U", found), "");
    EXPECT_TRUE(found);
}

// A load whose commit fails takes back the keys it created, and their ids go to the next keys
// created: no loaded handle may point at one, or later writes would land under another key.
// Whatever failed, the load says truly whether every default is stored (the editor and the tool
// warn when not).
TEST_F(AliasesTest, AFailedLoadKeepsNoStaleHandleAndSaysWhetherTheDefaultsAreStored)
{
    for (unsigned nth = 1;; ++nth) {
        ASSERT_LT(nth, 50u) << "the load never completes";
        ASSERT_TRUE(!tasksKey.openKey("T").isOpen() || tasksKey.deleteSubkeyTree("T"));
        ASSERT_TRUE(tasksKey.createKey("T\\Операторы\\O").isOpen());
        store->failStep(nth);
        const Aliases tasks(*store, dir.dataDirectory());
        const bool failed = store->failureTriggered();
        store->failStep(std::nullopt);
        EXPECT_EQ(tasks.hasAllDefaults(), defaultsOfTStored()) << "step " << nth;
        Operator *loaded = tasks.tasks().at(0)->operators().findOperator("O");
        ASSERT_NE(loaded, nullptr);
        const RegistryKey *handles[] = {&loaded->operatorKey(), &loaded->ranges().rangesKey(),
                                        &loaded->schedules().schedulesKey(),
                                        &loaded->patterns().templateKey()};
        for (const RegistryKey *handle : handles)
            EXPECT_TRUE(!handle->isOpen() || handle->exists())
                << handle->name() << ", step " << nth;
        if (!failed)
            break;
    }
}

// With every default stored a load writes nothing, so a busy store gives no warning.
TEST_F(AliasesTest, ABusyStoreIsNoFailureWhenNothingIsMissing)
{
    ASSERT_TRUE(tasksKey.createKey("T\\Операторы\\O").isOpen());
    ASSERT_TRUE(Aliases(*store, dir.dataDirectory()).hasAllDefaults());
    ASSERT_TRUE(defaultsOfTStored());
    store->failStep(1); // the load's transaction cannot begin
    const Aliases again(*store, dir.dataDirectory());
    EXPECT_TRUE(store->failureTriggered());
    store->failStep(std::nullopt);
    EXPECT_TRUE(again.hasAllDefaults());
    EXPECT_EQ(again.GetOperatorNames("T"), std::vector<std::string>{"O"});
}

// A tree loaded before its task was removed and another task made with the freed key ids: a
// change through it finds its task gone instead of writing into the other task's template.
TEST_F(AliasesTest, AChangeThroughAnOldTreeNeverWritesIntoAnotherTask)
{
    ASSERT_TRUE(tasksKey.createKey("T\\Операторы\\O").isOpen());
    Aliases old(*store, dir.dataDirectory());
    const std::int64_t oldId = tasksKey.openKey("T\\Операторы\\O\\Шаблоны").id();
    ASSERT_TRUE(tasksKey.deleteSubkeyTree("T"));
    ASSERT_TRUE(tasksKey.createKey("U\\Операторы\\O").isOpen());
    const Aliases fresh(*store, dir.dataDirectory());
    const RegistryKey otherTemplate = tasksKey.openKey("U\\Операторы\\O\\Шаблоны");
    ASSERT_EQ(otherTemplate.id(), oldId); // the id went to the new task

    std::string newName;
    EXPECT_FALSE(old.InsertTemplateItem("T", "O", "", PatternItem{.path = "1\\"}, newName));
    EXPECT_EQ(old.lastTemplateResult().failure, TemplateFailure::Gone);
    EXPECT_TRUE(old.GetTemplate("T", "O").empty());
    EXPECT_EQ(old.lastTemplateResult().failure, TemplateFailure::Gone);
    EXPECT_TRUE(otherTemplate.subkeyNames().empty());
}

} // namespace vorela
