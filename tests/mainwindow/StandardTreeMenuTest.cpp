// The main window over a fresh installation: lexeme tables are made from the context menu in the
// standard folders and in the folders an operator adds there, and every such folder renames.
#include "MainWindowFixture.h"

#include "installation/NewInstallation.h"
#include "mainwindow/SourceTree.h"
#include "platform/qt/QtText.h"
#include "stores/ChunkIds.h"
#include "trees/TreeRules.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace vorela::test {
namespace {

class StandardTreeMenuTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(initDataDirectory(dataDir.dataDirectory(), error)) << error;
        store = RegistryStore::open(dataDir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        root = std::make_unique<LexItem>(*store);
        bank = std::make_unique<SoundBank>(dataDir.dataDirectory(), ui);
        openForm();
        form->showWindow();
    }

    // Renames through the label editor that is open on the current item.
    void typeLabel(const char *text)
    {
        auto *editor =
            qobject_cast<QLineEdit *>(sourceTree().indexWidget(sourceTree().currentIndex()));
        ASSERT_NE(editor, nullptr) << "no label editor open";
        editor->setText(QString::fromUtf8(text));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits through a queued call
    }

    bool tableEnabledOn(QTreeWidgetItem *item)
    {
        sourceTree().setCurrentItem(item);
        form->sourceTree().prepareMenu();
        return action("createTable").isEnabled();
    }
};

TEST_F(StandardTreeMenuTest, TablesAreMadeInStandardAndNewFoldersWhichStayRenamable)
{
    for (const std::vector<std::string> &folder :
         {std::vector<std::string>{"Фразы"}, {"Стандартные слова"}, {"Стандартные слова", "Цифры"}})
        EXPECT_TRUE(tableEnabledOn(sourceItem(folder))) << folder.back();
    EXPECT_FALSE(tableEnabledOn(sourceItem({"Функции"})));

    runSourceCommand(sourceItem({"Фразы"}), "createTable");
    typeLabel("Районы");
    const std::shared_ptr<LexItem> table = root->GetChild("1")->GetChild("2");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->GetText(), "Районы");
    EXPECT_EQ(table->GetChunk(), LexemeTableChunkId);
    EXPECT_EQ(childTexts(sourceItem({"Фразы"})),
              (std::vector<std::string>{"Приветствие", "Районы"}));

    // A folder the operator adds takes tables too and renames from the menu and by F2.
    runSourceCommand(sourceItem({"Фразы"}), "createFolder");
    typeLabel("Адреса");
    QTreeWidgetItem *added = sourceItem({"Фразы", "Адреса"});
    ASSERT_NE(added, nullptr);
    sourceTree().setCurrentItem(added);
    sourceTree().setFocus();
    QTest::keyClick(&sourceTree(), Qt::Key_F2);
    typeLabel("Улицы");
    runSourceCommand(sourceItem({"Фразы", "Улицы"}), "rename");
    typeLabel("Улицы города");
    runSourceCommand(sourceItem({"Фразы", "Улицы города"}), "createTable");
    const std::shared_ptr<LexItem> folder = root->GetChild("1")->GetChild("3");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->GetText(), "Улицы города");
    ASSERT_EQ(folder->GetChildren().size(), 1U);
    EXPECT_EQ(folder->GetChildren().front()->GetChunk(), LexemeTableChunkId);
}

} // namespace
} // namespace vorela::test
