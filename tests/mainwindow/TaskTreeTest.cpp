// The task tree: sorted build, template items, menu by depth, delete, clear, boundary and the
// incremental refresh after another program changed the configuration.
#include "MainWindowFixture.h"

#include "cli/ToolProcess.h"

#include "mainwindow/TaskTree.h"
#include "mainwindow/TreeItems.h"
#include "platform/NamedMutex.h"
#include "stores/Aliases.h"
#include "stores/RegistryPaths.h"
#include "tables/DbfBuilder.h"

#include "platform/qt/QtModalDialog.h"

#include "support/ChildProcess.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace vorela::test {
namespace {

using TaskTreeTest = MainWindowFixture;

TEST_F(TaskTreeTest, TasksAndOperatorsAreSortedAndItemsKeepChainOrder)
{
    QTreeWidgetItem *top = taskTree().topLevelItem(0);
    EXPECT_EQ(top->text(0), "Шаблоны");
    EXPECT_TRUE(top->isExpanded());
    EXPECT_EQ(itemImage(*top), 1);
    EXPECT_EQ(childTexts(top), (std::vector<std::string>{"Задание А", "Задание Б"}));
    EXPECT_EQ(childTexts(taskItem({"Задание Б"})), (std::vector<std::string>{"Оп1", "Оп2"}));
    QTreeWidgetItem *operatorItem = taskItem({"Задание А", "Оп"});
    EXPECT_EQ(childTexts(operatorItem),
              (std::vector<std::string>{"Приветствие", "Добрый день(Поле)"}));
    EXPECT_EQ(itemImage(*operatorItem), 0);
    EXPECT_EQ(itemImage(*operatorItem->child(1)), 5);
    EXPECT_EQ(itemPattern(*operatorItem->child(1)).arg, "Поле");
    operatorItem->setExpanded(true);
    EXPECT_EQ(itemImage(*operatorItem), 1);
}

TEST_F(TaskTreeTest, LastGreetingCannotBeDeletedOtherItemsCan)
{
    runTaskCommand(taskItem({"Задание А", "Оп", "Добрый день(Поле)"}), "removeItem");
    EXPECT_EQ(templateTexts("Задание А", "Оп"), (std::vector<std::string>{"Приветствие"}));
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})), (std::vector<std::string>{"Приветствие"}));

    ui.expectMessage("Лексема 'Приветствие' не подлежит удалению!", MessageAnswer::Ok);
    runTaskCommand(taskItem({"Задание А", "Оп", "Приветствие"}), "removeItem");
    EXPECT_EQ(templateTexts("Задание А", "Оп"), (std::vector<std::string>{"Приветствие"}));
}

TEST_F(TaskTreeTest, ClearAsksThenLeavesTheGreetingAlone)
{
    QTreeWidgetItem *operatorItem = taskItem({"Задание А", "Оп"});
    ui.expectMessage("Вы действительно желаете удалить содержимое задания 'Оп'?",
                     MessageAnswer::No);
    runTaskCommand(operatorItem, "clear");
    EXPECT_EQ(templateTexts("Задание А", "Оп").size(), 2U);
    EXPECT_TRUE(operatorItem->isExpanded());

    ui.expectMessage("содержимое задания 'Оп'", MessageAnswer::Yes);
    runTaskCommand(operatorItem->child(1), "clear");
    EXPECT_EQ(templateTexts("Задание А", "Оп"), (std::vector<std::string>{"Приветствие"}));
    EXPECT_EQ(childTexts(operatorItem), (std::vector<std::string>{"Приветствие"}));

    // An empty template gets the greeting too.
    ui.expectMessage("содержимое задания 'Оп1'", MessageAnswer::Yes);
    runTaskCommand(taskItem({"Задание Б", "Оп1"}), "clear");
    EXPECT_EQ(templateTexts("Задание Б", "Оп1"), (std::vector<std::string>{"Приветствие"}));
}

TEST_F(TaskTreeTest, BoundaryIsInsertedOnceAfterTheSelectedItem)
{
    runTaskCommand(taskItem({"Задание А", "Оп", "Приветствие"}), "boundary");
    const std::vector<std::string> once{"Приветствие", "Граница", "Добрый день(Поле)"};
    EXPECT_EQ(templateTexts("Задание А", "Оп"), once);
    runTaskCommand(taskItem({"Задание А", "Оп"}), "boundary");
    EXPECT_EQ(templateTexts("Задание А", "Оп"), once);
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})), once);

    runTaskCommand(taskItem({"Задание Б", "Оп2"}), "boundary");
    EXPECT_EQ(templateTexts("Задание Б", "Оп2"), (std::vector<std::string>{"Граница"}));
}

TEST_F(TaskTreeTest, MenuFollowsDepthAndPlayback)
{
    struct Case {
        std::vector<std::string> path;
        bool listen, remove, clear, boundary, properties;
    };
    const Case cases[] = {
        {{}, false, false, false, false, false},
        {{"Задание А"}, false, false, false, false, false},
        {{"Задание А", "Оп"}, true, false, true, true, true},
        {{"Задание А", "Оп", "Приветствие"}, true, true, true, true, true},
    };
    for (const Case &c : cases) {
        taskTree().setCurrentItem(taskItem(c.path));
        form->taskTree().prepareMenu();
        EXPECT_EQ(action("listen").isEnabled(), c.listen);
        EXPECT_FALSE(action("stop").isEnabled());
        EXPECT_EQ(action("removeItem").isEnabled(), c.remove);
        EXPECT_EQ(action("clear").isEnabled(), c.clear);
        EXPECT_EQ(action("boundary").isEnabled(), c.boundary);
        EXPECT_EQ(action("properties").isEnabled(), c.properties);
        EXPECT_TRUE(action("refresh").isEnabled());
    }
}

TEST_F(TaskTreeTest, ListenNeedsTheGreetingAndHandsItemsToThePlayer)
{
    std::vector<SpokenItem> played;
    form->hooks().playItems = [&played](const std::vector<SpokenItem> &items) {
        played = items;
        return true;
    };
    ui.expectMessage("Отсутствует лексема 'Приветствие'!\r\nБез данной лексемы шаблон "
                     "неработоспособен.",
                     MessageAnswer::Ok);
    runTaskCommand(taskItem({"Задание Б", "Оп1"}), "listen");
    EXPECT_TRUE(played.empty());

    runTaskCommand(taskItem({"Задание А", "Оп"}), "listen");
    ASSERT_EQ(played.size(), 2U);
    EXPECT_EQ(played[0].item.chunk, "PRIV");
    EXPECT_EQ(played[1].item.arg, "Поле");
    EXPECT_EQ(played[1].task, "Задание А");
    EXPECT_FALSE(form->isReady());
    form->taskTree().prepareMenu();
    EXPECT_FALSE(action("listen").isEnabled());
    EXPECT_TRUE(action("stop").isEnabled());
    form->playbackFinished();
    EXPECT_TRUE(form->isReady());
    EXPECT_TRUE(form->isStopRequested());
}

TEST_F(TaskTreeTest, PropertiesStoreTheBindingTheDialogReturns)
{
    {
        Aliases aliases(*store, dataDir.dataDirectory());
        std::string newName;
        ASSERT_TRUE(
            aliases.InsertTemplateItem("Задание Б", "Оп1", "", {.path = "1\\4\\"}, newName));
    }
    form->taskTree().fillTemplate(*taskItem({"Задание Б", "Оп1"}));
    std::string caption;
    ui.expectDialog("FormSumma", [&caption](ModalDialog &dialog) {
        QDialog *window = qDialogOf(dialog);
        caption = window->windowTitle().toStdString();
        QTest::keyClicks(window->findChild<QLineEdit *>("textb_grn"), "125");
        QTest::keyClicks(window->findChild<QLineEdit *>("textb_kop"), "50");
        window->findChild<QPushButton *>("cb_1")->click();
        return window->result();
    });
    runTaskCommand(taskItem({"Задание Б", "Оп1", "Сумма"}), "properties");
    EXPECT_EQ(caption, "Сумма: Задание Б\\Оп1");
    EXPECT_EQ(templateTexts("Задание Б", "Оп1"), (std::vector<std::string>{"Сумма('125,50')"}));
    EXPECT_EQ(taskTree().currentItem()->text(0), "Сумма('125,50')");

    ui.expectDialog("FormSumma", [](ModalDialog &) { return 0; });
    runTaskCommand(taskItem({"Задание Б", "Оп1", "Сумма('125,50')"}), "properties");
    EXPECT_EQ(templateTexts("Задание Б", "Оп1"), (std::vector<std::string>{"Сумма('125,50')"}));
}

// The listening commands speak a relative date from this same text (tests/player).
TEST_F(TaskTreeTest, ItemsShowTheNamesOfTheEditorsLanguage)
{
    LexItem &folder = *root->GetChild("1");
    const std::string date = folder.AppendChild("Дата +005 (им)", "@006", 2, 0, 0, "");
    ASSERT_FALSE(date.empty());
    ASSERT_TRUE(folder.GetChild(date)->SetText1("Дата +003 (рд)"));
    ASSERT_TRUE(folder.GetChild("2")->SetText1("Добрий день"));
    {
        Aliases aliases(*store, dataDir.dataDirectory());
        std::string newName;
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание Б", "Оп1", "",
                                               {.path = "1\\" + date + "\\"}, newName));
    }
    closeForm();
    ASSERT_TRUE(store->createKey(std::string(EditorKeyPath)).writeDword("Language", 1));
    root = std::make_unique<LexItem>(*store);
    openForm();
    EXPECT_EQ(childTexts(taskItem({"Задание Б", "Оп1"})),
              (std::vector<std::string>{"Дата +003 (рд)"}));
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})),
              (std::vector<std::string>{"Приветствие", "Добрий день(Поле)"}));
}

TEST_F(TaskTreeTest, RefreshAddsWhatAnotherProgramAddedWithoutCollapsing)
{
    QTreeWidgetItem *shown = taskItem({"Задание А", "Оп"});
    shown->setExpanded(true);
    {
        // Another program with its own connection to the store.
        std::string error;
        const std::unique_ptr<RegistryStore> other =
            RegistryStore::open(dataDir.dataDirectory().registry(), error);
        ASSERT_TRUE(other);
        ASSERT_TRUE(other->createKey(std::string(TasksRootPath) + "Аа\\Операторы\\Х\\").isOpen());
        ASSERT_TRUE(
            other->createKey(std::string(TasksRootPath) + "Задание Б\\Операторы\\Оп0\\").isOpen());
        ASSERT_TRUE(other->openKey(std::string(TasksRootPath) + "Задание Б\\Операторы\\")
                        .deleteSubkeyTree("Оп2"));
        Aliases aliases(*other, dataDir.dataDirectory());
        std::string newName;
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание А", "Оп", "", {.path = "1\\3\\"}, newName));
    }
    QTest::keyClick(&taskTree(), Qt::Key_F5);
    EXPECT_EQ(childTexts(taskTree().topLevelItem(0)),
              (std::vector<std::string>{"Аа", "Задание А", "Задание Б"}));
    EXPECT_EQ(childTexts(taskItem({"Задание Б"})), (std::vector<std::string>{"Оп0", "Оп1"}));
    // The operator shown before keeps its item and its state: only a command refills it.
    EXPECT_EQ(taskItem({"Задание А", "Оп"}), shown);
    EXPECT_TRUE(shown->isExpanded());
    EXPECT_EQ(shown->childCount(), 2);
}

TEST_F(TaskTreeTest, TasksTheToolAddsAndRemovesShowAfterF5)
{
    const std::string table = (dataDir.path() / "t.dbf").string();
    DbfBuilder({{"NAME", 'C', 10}}).record({"a"}).write(table);
    for (const std::string &command :
         {"task add 'Задание В' --table " + table, std::string("operator add 'Задание В' 'Оп В'"),
          std::string("operator remove 'Задание Б' Оп2")})
        ASSERT_EQ(runVorela(dataDir.path(), command).status, 0) << command;
    QTreeWidgetItem *top = taskTree().topLevelItem(0);
    EXPECT_EQ(childTexts(top), (std::vector<std::string>{"Задание А", "Задание Б"}));

    QTest::keyClick(&taskTree(), Qt::Key_F5);
    EXPECT_EQ(childTexts(top), (std::vector<std::string>{"Задание А", "Задание Б", "Задание В"}));
    EXPECT_EQ(childTexts(taskItem({"Задание В"})), std::vector<std::string>{"Оп В"});
    EXPECT_EQ(childTexts(taskItem({"Задание Б"})), std::vector<std::string>{"Оп1"});

    ASSERT_EQ(runVorela(dataDir.path(), "task remove 'Задание В'").status, 0);
    QTest::keyClick(&taskTree(), Qt::Key_F5);
    EXPECT_EQ(childTexts(top), (std::vector<std::string>{"Задание А", "Задание Б"}));
}

TEST_F(TaskTreeTest, RefusedTemplateWritesSaySoAndShowTheStoredTemplate)
{
    QTreeWidgetItem *operatorItem = taskItem({"Задание А", "Оп"});
    const std::vector<std::string> stored{"Приветствие", "Добрый день(Поле)"};
    store->failStep(1);
    ui.expectMessage("Не удалось вставить лексему", MessageAnswer::Ok);
    runTaskCommand(operatorItem->child(0), "boundary");
    EXPECT_EQ(lastMessage(), "Не удалось вставить лексему 'Граница' в шаблон.");
    EXPECT_EQ(templateTexts("Задание А", "Оп"), stored);
    EXPECT_EQ(childTexts(operatorItem), stored);

    // The greeting goes in first: a refusal leaves the template as it was, never without it.
    ui.expectMessage("содержимое задания 'Оп'", MessageAnswer::Yes);
    ui.expectMessage("Не удалось вставить лексему", MessageAnswer::Ok);
    store->failStep(1);
    runTaskCommand(operatorItem, "clear");
    EXPECT_EQ(lastMessage(), "Не удалось вставить лексему 'Приветствие' в шаблон.");
    EXPECT_EQ(templateTexts("Задание А", "Оп"), stored);
    EXPECT_EQ(childTexts(operatorItem), stored);

    {
        Aliases aliases(*store, dataDir.dataDirectory());
        std::string name;
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание Б", "Оп1", "", {.path = "1\\4\\"}, name));
    }
    form->taskTree().fillTemplate(*taskItem({"Задание Б", "Оп1"}));
    ui.expectDialog("FormSumma", [this](ModalDialog &dialog) {
        QDialog *window = qDialogOf(dialog);
        QTest::keyClicks(window->findChild<QLineEdit *>("textb_grn"), "125");
        window->findChild<QPushButton *>("cb_1")->click();
        store->failStep(1);
        return window->result();
    });
    ui.expectMessage("Не удалось сохранить привязку", MessageAnswer::Ok);
    runTaskCommand(taskItem({"Задание Б", "Оп1", "Сумма"}), "properties");
    EXPECT_EQ(lastMessage(), "Не удалось сохранить привязку лексемы 'Сумма'.");
    EXPECT_EQ(templateTexts("Задание Б", "Оп1"), std::vector<std::string>{"Сумма"});
    EXPECT_EQ(childTexts(taskItem({"Задание Б", "Оп1"})), std::vector<std::string>{"Сумма"});
}

// The notification application holds one template: the window opens at once and shows it busy,
// a command on it asks whether to wait on (stopping changes nothing), and it is read once free.
TEST_F(TaskTreeTest, ABusyTemplateBlocksNeitherTheWindowNorTheOperator)
{
    const std::vector<std::string> before = templateTexts("Задание А", "Оп");
    closeForm();
    ChildProcess reader([this](ChildProcess &self) {
        NamedMutex held(dataDir.dataDirectory(), "Задание АОп");
        if (!held.tryLock())
            return 1;
        self.tell('L');
        (void)self.await();
        return 0;
    });
    ASSERT_EQ(reader.receive(std::chrono::seconds(5)), 'L');
    openForm();
    QTreeWidgetItem *busy = taskItem({"Задание А", "Оп (занят)"});
    ASSERT_NE(busy, nullptr);
    EXPECT_TRUE(ui.messages().empty());

    ui.expectMessage("Шаблон «Задание А / Оп» занят приложением оповещения", MessageAnswer::Cancel);
    runTaskCommand(busy, "boundary");
    EXPECT_TRUE(ui.finished());
    EXPECT_EQ(ui.messages().size(), 1u);

    reader.send('R');
    ASSERT_EQ(reader.wait(), 0);
    QSignalSpy retried(form->findChild<QTimer *>("busyRetry"), &QTimer::timeout);
    ASSERT_TRUE(retried.wait(5000));
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})),
              (std::vector<std::string>{"Приветствие", "Добрый день(Поле)"}));
    EXPECT_EQ(templateTexts("Задание А", "Оп"), before);
}

} // namespace
} // namespace vorela::test
