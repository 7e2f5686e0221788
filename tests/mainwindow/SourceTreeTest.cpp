// The source tree: building, images, the context menu by mask, creating and renaming nodes.
#include "MainWindowFixture.h"

#include "mainwindow/SourceTree.h"
#include "mainwindow/TreeItems.h"
#include "platform/qt/QtText.h"
#include "trees/TreeRules.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <filesystem>

namespace vorela::test {
namespace {

using SourceTreeTest = MainWindowFixture;

// The label editor of tree, when one is open.
QLineEdit *labelEditor(QTreeWidget &tree)
{
    for (QLineEdit *editor : tree.viewport()->findChildren<QLineEdit *>()) {
        if (editor->isVisible())
            return editor;
    }
    return nullptr;
}

TEST_F(SourceTreeTest, ShowsTheStoreInChainOrderWithImagesByKind)
{
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("P\xD0\xB5\xD0\xB4\xD0\xB0\xD0\xBA\xD1\x82"
                                                     "\xD0\xBEp лексем (Ворела)"));
    EXPECT_EQ(form->findChild<QLabel *>("label_tv")->text(), "Источники фраз");
    EXPECT_EQ(form->findChild<QLabel *>("label_lv")->text(),
              "Наборы фраз, закреплённых за заданиями");
    EXPECT_EQ(form->statusText->text(),
              "Для перемещения фраз из источников в шаблоны используйте мышь");
    QTreeWidgetItem *top = sourceTree().topLevelItem(0);
    EXPECT_EQ(top->text(0), "Лексемы и функции");
    EXPECT_TRUE(top->isExpanded());
    EXPECT_EQ(childTexts(top), (std::vector<std::string>{"Общие", "Пустая"}));
    EXPECT_EQ(childTexts(sourceItem({"Общие"})),
              (std::vector<std::string>{"Приветствие", "Добрый день", "Граница", "Сумма", "Таблица",
                                        "Вложенная"}));
    // Table entries are not shown: a table is a leaf of this tree.
    EXPECT_EQ(sourceItem({"Общие", "Таблица"})->childCount(), 0);
    struct Case {
        std::vector<std::string> path;
        int image;
    };
    const Case cases[] = {{{"Общие"}, 9},
                          {{"Общие", "Добрый день"}, 8},
                          {{"Общие", "Граница"}, 2},
                          {{"Общие", "Таблица"}, 11},
                          {{"Пустая"}, 9}};
    for (const Case &c : cases)
        EXPECT_EQ(itemImage(*sourceItem(c.path)), c.image) << c.path.back();
    QTreeWidgetItem *folder = sourceItem({"Общие"});
    folder->setExpanded(true);
    EXPECT_EQ(itemImage(*folder), 7);
    folder->setExpanded(false);
    EXPECT_EQ(itemImage(*folder), 9);
}

TEST_F(SourceTreeTest, ContextMenuFollowsTheNodeMask)
{
    struct Case {
        std::vector<std::string> path;
        std::vector<const char *> enabled;
    };
    const Case cases[] = {
        {{"Общие", "Добрый день"}, {"replaceMenu", "replaceFromPlayer", "rename", "removeSource"}},
        {{"Общие"}, {"createMenu", "recordMissing", "createFolder", "rename", "removeSource"}},
        {{"Общие", "Таблица"}, {"rename", "removeSource", "editTable"}},
        {{"Общие", "Граница"}, {}},
        // The greeting phrase only comes from a signed file: not from the player.
        {{"Общие", "Приветствие"}, {"replaceMenu", "rename", "removeSource"}},
    };
    const char *all[] = {"replaceMenu", "createMenu",   "recordMissing", "createFolder",
                         "rename",      "removeSource", "createTable",   "editTable"};
    for (const Case &c : cases) {
        QTreeWidgetItem *item = sourceItem(c.path);
        sourceTree().setCurrentItem(item);
        form->sourceTree().prepareMenu();
        for (const char *name : all) {
            QAction *found = form->findChild<QAction *>(name);
            if (found == nullptr) // submenu actions are found through their menus
                found = form->findChild<QMenu *>(name)->menuAction();
            const bool expected =
                std::find_if(c.enabled.begin(), c.enabled.end(), [name](const char *e) {
                    return std::string_view(e) == name;
                }) != c.enabled.end();
            EXPECT_EQ(found->isEnabled(), expected) << c.path.back() << " " << name;
        }
        EXPECT_EQ(action("replaceFromPlayer").isEnabled(), c.path.back() != "Приветствие");
        EXPECT_TRUE(action("replaceFromFile").isEnabled());
    }
}

TEST_F(SourceTreeTest, CreatesFolderAfterFoldersAndTableAtTheEndThenRenamesThem)
{
    form->showWindow();
    runSourceCommand(sourceItem({"Общие"}), "createFolder");
    LexItem &common = *root->GetChild("1");
    ASSERT_EQ(common.GetChildren().size(), 7U);
    const std::shared_ptr<LexItem> folder = common.GetChild("7");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->GetText(), "Новая папка");
    EXPECT_TRUE(folder->IsFolder());
    EXPECT_EQ(folder->GetMask(), TableFolderMask);
    // The chain ended with a folder, so the new one follows it, in the store and in the tree.
    EXPECT_EQ(folder->GetPrev(), "6");
    EXPECT_EQ(sourceItem({"Общие"})->child(6)->text(0), "Новая папка");
    EXPECT_NE(labelEditor(sourceTree()), nullptr);

    QLineEdit *editor = labelEditor(sourceTree());
    ASSERT_NE(editor, nullptr);
    editor->setText("Переименованная");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits through a queued call
    EXPECT_EQ(folder->GetText(), "Переименованная");
    EXPECT_EQ(sourceItem({"Общие"})->child(6)->text(0), "Переименованная");

    // A stored folder mask without "Создать таблицу" is kept; the command still works there.
    sourceTree().setCurrentItem(sourceItem({"Общие"}));
    form->sourceTree().createTable();
    const std::shared_ptr<LexItem> table = common.GetChild("8");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->GetText(), "Новая таблица");
    EXPECT_EQ(table->GetChunk(), "#001");
    EXPECT_EQ(table->GetMask(), LexemeTableMask);
    EXPECT_EQ(table->GetPrev(), "7");
    QTreeWidgetItem *tableItem = sourceItem({"Общие", "Новая таблица"});
    ASSERT_NE(tableItem, nullptr);
    EXPECT_EQ(itemImage(*tableItem), 11);
    // Escape cancels the edit and changes nothing.
    QLineEdit *tableEditor = labelEditor(sourceTree());
    ASSERT_NE(tableEditor, nullptr);
    tableEditor->setText("Не так");
    QTest::keyClick(tableEditor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(table->GetText(), "Новая таблица");
}

TEST_F(SourceTreeTest, F2RenamesOnlyKindFourNodesWithAStandardMask)
{
    struct Case {
        std::vector<std::string> path;
        bool edits;
    };
    const Case cases[] = {{{"Общие", "Добрый день"}, true},
                          {{"Общие"}, true},
                          {{"Общие", "Таблица"}, false}, // kind 6: menu only
                          {{"Общие", "Граница"}, false}};
    form->showWindow();
    for (const Case &c : cases) {
        sourceTree().setCurrentItem(sourceItem(c.path));
        sourceTree().setFocus();
        QTest::keyClick(&sourceTree(), Qt::Key_F2);
        QLineEdit *editor = labelEditor(sourceTree());
        EXPECT_EQ(editor != nullptr, c.edits) << c.path.back();
        if (editor != nullptr)
            QTest::keyClick(editor, Qt::Key_Escape);
    }
    // The table is renamed from the menu all the same.
    runSourceCommand(sourceItem({"Общие", "Таблица"}), "rename");
    EXPECT_NE(labelEditor(sourceTree()), nullptr);
}

TEST_F(SourceTreeTest, NewRecordedLexemeGetsTheChunkTheSoundEditorSaved)
{
    std::vector<std::string> chunksSeen;
    form->hooks().createInPlayer = [&](std::span<const std::string> chunks) {
        chunksSeen.assign(chunks.begin(), chunks.end());
        return std::optional(CreatedLexeme{"0003", ""});
    };
    runSourceCommand(sourceItem({"Общие", "Вложенная"}), "createFromPlayer");
    // Every chunk of the store, nested and table entries included, keeps the new id unique.
    EXPECT_NE(std::find(chunksSeen.begin(), chunksSeen.end(), "0002"), chunksSeen.end());
    EXPECT_NE(std::find(chunksSeen.begin(), chunksSeen.end(), "|001"), chunksSeen.end());
    const std::shared_ptr<LexItem> lexeme = root->GetChild("1")->GetChild("6")->GetChild("2");
    ASSERT_TRUE(lexeme);
    EXPECT_EQ(lexeme->GetText(), "Новая лексема");
    EXPECT_EQ(lexeme->GetChunk(), "0003");
    EXPECT_EQ(lexeme->GetMask(), LexemeMask);
    EXPECT_EQ(itemImage(*sourceItem({"Общие", "Вложенная", "Новая лексема"})), 8);

    form->hooks().createInPlayer = [](std::span<const std::string>) {
        return std::optional<CreatedLexeme>();
    };
    runSourceCommand(sourceItem({"Общие", "Вложенная"}), "createFromPlayer");
    EXPECT_EQ(root->GetChild("1")->GetChild("6")->GetChildren().size(), 2U);
}

TEST_F(SourceTreeTest, RecordMissingWalksTheChosenFolderOrTheWholeTree)
{
    std::vector<std::string> walked;
    form->hooks().recordMissing = [&walked](const LexItem &node) {
        walked.push_back(node.GetPath());
    };
    runSourceCommand(sourceItem({"Общие", "Вложенная"}), "recordMissing");
    runSourceCommand(sourceTree().topLevelItem(0), "recordMissing");
    // A lexeme has nothing below it to walk, even when the action is triggered regardless.
    sourceTree().setCurrentItem(sourceItem({"Общие", "Добрый день"}));
    form->sourceTree().prepareMenu();
    EXPECT_FALSE(action("recordMissing").isEnabled());
    action("recordMissing").trigger();
    EXPECT_EQ(walked, (std::vector<std::string>{"1\\6\\", ""}));
}

TEST_F(SourceTreeTest, DoubleClickListensSpeaksTheTimeOrOpensTheTable)
{
    std::vector<std::string> listened;
    std::vector<std::uint64_t> spoken;
    int tablesOpened = 0;
    form->hooks().listenLexeme = [&](const std::string &name, const std::string &chunk) {
        listened.push_back(name + "/" + chunk);
    };
    form->hooks().playFunctionEntry = [&](std::uint64_t number, std::uintptr_t) {
        spoken.push_back(number);
        return true;
    };
    form->hooks().editLexemeTable = [&](QWidget &, LexItem &table, LexItem &parent) {
        EXPECT_EQ(table.GetChunk(), "#001");
        EXPECT_EQ(parent.GetName(), "1");
        ++tablesOpened;
    };
    LexItem &common = *root->GetChild("1");
    ASSERT_FALSE(common.AppendChild("Время", "@002", 2, 0, 0, "").empty());
    ASSERT_FALSE(common.AppendChild("Метка", "@014", 2, 0, 0, "").empty());
    form->sourceTree().build();
    for (const char *name : {"Добрый день", "Сумма", "Граница", "Таблица", "Вложенная"})
        emit sourceTree().itemDoubleClicked(sourceItem({"Общие", name}), 0);
    EXPECT_EQ(listened, std::vector<std::string>{"Добрый день/0001"});
    EXPECT_TRUE(spoken.empty()); // amounts and the boundary need a task's data
    EXPECT_EQ(tablesOpened, 1);
    emit sourceTree().itemDoubleClicked(sourceItem({"Общие", "Время"}), 0);
    EXPECT_EQ(spoken, std::vector<std::uint64_t>{2});
    EXPECT_FALSE(form->isReady()); // until the player reports the end
    emit sourceTree().itemDoubleClicked(sourceItem({"Общие", "Метка"}), 0);
    EXPECT_EQ(spoken.size(), 1U);
    form->playbackFinished();
    emit sourceTree().itemDoubleClicked(sourceItem({"Общие", "Метка"}), 0);
    EXPECT_EQ(spoken, (std::vector<std::uint64_t>{2, 14}));
}

TEST_F(SourceTreeTest, RecordedLexemeTheRegistryRefusesLeavesNoSoundBehind)
{
    writeBank({"0001", "0002", "0003", "PRIV", "|001"}); // the sound editor saved "0003"
    form->hooks().createInPlayer = [](std::span<const std::string>) {
        return std::optional(CreatedLexeme{"0003", ""});
    };
    store->failStep(1);
    ui.expectMessage("Не удалось записать новую лексему", MessageAnswer::Ok);
    runSourceCommand(sourceItem({"Общие", "Вложенная"}), "createFromPlayer");
    EXPECT_EQ(lastMessage(),
              "Не удалось записать новую лексему в реестр. Её звук удалён из банка.");
    EXPECT_EQ(bankChunks(), (std::vector<std::string>{"0001", "0002", "PRIV", "|001"}));
    EXPECT_EQ(root->GetChild("1")->GetChild("6")->GetChildren().size(), 1U);
    EXPECT_EQ(childTexts(sourceItem({"Общие", "Вложенная"})), std::vector<std::string>{"Глубокая"});

    // A bank that cannot be rewritten keeps the sound, and the operator hears of it.
    std::filesystem::remove(dataDir.dataDirectory().productBank());
    std::filesystem::create_directory(dataDir.dataDirectory().productBank());
    store->failStep(1);
    ui.expectMessage("mmioOpen1", MessageAnswer::Ok);
    ui.expectMessage("Не удалось записать новую лексему", MessageAnswer::Ok);
    runSourceCommand(sourceItem({"Общие", "Вложенная"}), "createFromPlayer");
    EXPECT_EQ(lastMessage(), "Не удалось записать новую лексему в реестр, и её звук "
                             "не удалось удалить из банка.");
    // Nor can a bank that cannot be read be kept in a version at close.
    ui.expectMessage("Не удалось сохранить версию библиотеки при закрытии", MessageAnswer::Ok);
}

TEST_F(SourceTreeTest, RefusedWritesSaySoAndTheTreeShowsWhatIsStored)
{
    form->showWindow();
    LexItem &common = *root->GetChild("1");
    const std::vector<std::string> shown = childTexts(sourceItem({"Общие"}));
    store->failStep(1);
    ui.expectMessage("Не удалось создать новую папку.", MessageAnswer::Ok);
    runSourceCommand(sourceItem({"Общие"}), "createFolder");
    store->failStep(1);
    ui.expectMessage("Не удалось создать новую таблицу.", MessageAnswer::Ok);
    sourceTree().setCurrentItem(sourceItem({"Общие"}));
    form->sourceTree().createTable();
    EXPECT_EQ(common.GetChildren().size(), 6U);
    EXPECT_EQ(childTexts(sourceItem({"Общие"})), shown);
    EXPECT_EQ(labelEditor(sourceTree()), nullptr);

    runSourceCommand(sourceItem({"Общие", "Добрый день"}), "rename");
    QLineEdit *editor = labelEditor(sourceTree());
    ASSERT_NE(editor, nullptr);
    editor->setText("Добрый вечер");
    store->failStep(1);
    ui.expectMessage("Не удалось переименовать", MessageAnswer::Ok);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits through a queued call
    ASSERT_EQ(ui.messages().size(), 3U);
    EXPECT_EQ(ui.messages()[0].text, "Не удалось создать новую папку.");
    EXPECT_EQ(ui.messages()[1].text, "Не удалось создать новую таблицу.");
    EXPECT_EQ(ui.messages()[2].text, "Не удалось переименовать 'Добрый день'.");
    EXPECT_EQ(common.GetChild("2")->GetText(), "Добрый день");
    EXPECT_EQ(childTexts(sourceItem({"Общие"})), shown);
}

} // namespace
} // namespace vorela::test
