#include "dialogs/FormTableLexems.h"

#include "dialogs/DialogScreenshots.h"
#include "dialogs/FormEnterKeyname.h"
#include "platform/FileFaults.h"
#include "platform/RegistryStore.h"
#include "platform/VirtualAudioDevice.h"
#include "platform/qt/QtModalDialog.h"
#include "soundbank/RiffBytes.h"
#include "soundbank/SoundBank.h"
#include "soundeditor/window/Form2.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace vorela {

class FormTableLexemsTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        store = RegistryStore::open(directory.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
    }

    /// A folder holding a table with entries (name, chunk, key name); a second folder's table
    /// holds "|   ", and the bank holds a stray "|  !" besides the entries' sounds.
    void buildTable(const std::vector<std::array<std::string, 3>> &entries)
    {
        root = std::make_unique<LexItem>(*store);
        const std::string folderName = root->AppendChild("Папка", "", 1, 1, FolderMask, "");
        const std::string otherName = root->AppendChild("Другая", "", 1, 1, FolderMask, "");
        folder = root->GetChild(folderName);
        const std::shared_ptr<LexItem> other = root->GetChild(otherName);
        table = folder->GetChild(folder->AppendChild("Районы", "#001", 6, 0, LexemeTableMask, ""));
        const std::shared_ptr<LexItem> otherTable =
            other->GetChild(other->AppendChild("Улицы", "#001", 6, 0, LexemeTableMask, ""));
        ASSERT_FALSE(otherTable->AppendChild("Садовая", "|   ", 0, 0, 0, "1").empty());
        std::vector<test::Bytes> chunks{test::chunk("|  !", test::samples(4))};
        for (const auto &[name, chunk, key] : entries) {
            ASSERT_FALSE(table->AppendChild(name, chunk, 0, 0, 0, key).empty());
            chunks.push_back(test::chunk(chunk, test::samples(4)));
        }
        test::writeFile(directory.dataDirectory().productBank(), test::bank(chunks));
        form = std::make_unique<FormTableLexems>(*table, *root, context);
    }

    std::vector<std::string> column(int index) const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < form->lv_1->topLevelItemCount(); ++row)
            texts.push_back(form->lv_1->topLevelItem(row)->text(index).toStdString());
        return texts;
    }

    void select(int row) { form->lv_1->setCurrentItem(form->lv_1->topLevelItem(row)); }

    void expectKeyName(const std::string &entered)
    {
        ui.expectDialog("FormEnterKeyname", [entered](ModalDialog &dialog) {
            auto *keyDialog = static_cast<FormEnterKeyname *>(qDialogOf(dialog));
            keyDialog->textb_1->setText(QString::fromStdString(entered));
            keyDialog->cb_OK->click();
            return keyDialog->result();
        });
    }

    test::TempDataDir directory;
    std::unique_ptr<RegistryStore> store;
    test::ScriptedUiServices ui;
    VirtualAudioDevice audio;
    FileFaults faults;
    SoundBank bank{directory.dataDirectory(), ui, &faults};
    SoundEditorContext context{bank, ui, audio, directory.dataDirectory()};
    std::unique_ptr<LexItem> root;
    std::shared_ptr<LexItem> folder;
    std::shared_ptr<LexItem> table;
    std::unique_ptr<FormTableLexems> form;
};

TEST_F(FormTableLexemsTest, SortsNamesAndKeysAsTextOrAsNumbers)
{
    buildTable({{"10", "|  \"", "b"}, {"9", "|  #", "aa"}, {"100", "|  $", "c"}});
    EXPECT_EQ(form->windowTitle().toStdString(), "Редактор таблицы лексем- \"Районы\"");
    EXPECT_EQ(column(0), (std::vector<std::string>{"10", "100", "9"}));
    EXPECT_EQ(form->lv_1->headerItem()->text(0).toStdString(), "Название лексемы (Сорт. как буквы)");
    test::saveScreenshot(*form, "FormTableLexems.png");

    form->sortByColumn(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"9", "10", "100"}));
    EXPECT_EQ(form->lv_1->headerItem()->text(0).toStdString(), "Название лексемы (Сорт. как цифры)");
    EXPECT_TRUE(form->lv_1->headerItem()->textAlignment(0) & Qt::AlignRight);

    form->sortByColumn(1);
    EXPECT_EQ(form->sortMode(), TableSortMode::KeysAsText);
    EXPECT_EQ(column(1), (std::vector<std::string>{"aa", "b", "c"}));
    EXPECT_EQ(form->lv_1->headerItem()->text(0).toStdString(), "Название лексемы");
    EXPECT_EQ(form->lv_1->headerItem()->text(1).toStdString(), "Ключ (Сорт. как буквы)");
    form->sortByColumn(1);
    EXPECT_EQ(column(1), (std::vector<std::string>{"b", "c", "aa"}));
}

TEST_F(FormTableLexemsTest, DuplicateKeyNamesAreRefusedTheRowsOwnIsAccepted)
{
    buildTable({{"Центр", "|  \"", "1"}, {"Север", "|  #", "2"}});
    select(1); // "Центр" sorts after "Север"
    expectKeyName("2");
    ui.expectMessage("Введенное ключевое имя \"2\" уже используется.", MessageAnswer::Ok);
    expectKeyName("1"); // its own key name
    form->changeKeyName();
    EXPECT_EQ(ui.messages().at(0).caption, "Ошибка");
    EXPECT_EQ(ui.messages().at(0).buttons, MessageButtons::OkCancel);
    EXPECT_EQ(column(1), (std::vector<std::string>{"2", "1"}));

    expectKeyName("  7 ");
    form->changeKeyName();
    EXPECT_EQ(column(1), (std::vector<std::string>{"2", "7"}));
    EXPECT_EQ(table->GetChild(table->GetChildren()[0]->GetName())->GetKeyname(), "7");

    expectKeyName("2");
    ui.expectMessage("уже используется", MessageAnswer::Cancel);
    form->changeKeyName();
    EXPECT_EQ(table->GetChildren()[0]->GetKeyname(), "7");
    EXPECT_TRUE(ui.finished());
}

TEST_F(FormTableLexemsTest, CreatedFromFileGetsAnIdUnusedAnywhere)
{
    buildTable({{"Центр", "|  \"", "1"}});
    const std::filesystem::path wav = directory.path() / "Восток";
    test::writeFile(directory.path() / "Восток.wav",
                    test::riffWave({test::chunk("fmt ", test::formatRecord()),
                                    test::chunk("data", test::samples(800))}));
    expectKeyName("3");
    ui.expectOpenFile(wav); // no extension: ".wav" is added
    ui.expectDialog("Form2", [this](ModalDialog &dialog) {
        auto *editor = static_cast<Form2 *>(qDialogOf(dialog));
        EXPECT_EQ(editor->windowTitle().toStdString(), "Проигрыватель - Восток");
        editor->show();
        QCoreApplication::processEvents(); // the automatic playback starts from the event loop
        audio.advance(1000);
        ui.expectMessage("Вы желаете сохpанить изменения?", MessageAnswer::Yes);
        editor->close();
        return 0;
    });
    form->createFromFile();
    ASSERT_TRUE(ui.finished());
    const std::vector<std::shared_ptr<LexItem>> entries = table->GetChildren();
    ASSERT_EQ(entries.size(), 2u);
    // "|   " is taken in another folder's table and "|  !" by the bank.
    EXPECT_EQ(entries[1]->GetChunk(), "|  #");
    EXPECT_EQ(entries[1]->GetText(), "Восток");
    EXPECT_EQ(entries[1]->GetKeyname(), "3");
    // The new row stays at the end, unsorted, until the next header click.
    EXPECT_EQ(column(0), (std::vector<std::string>{"Центр", "Восток"}));
}

TEST_F(FormTableLexemsTest, DeleteAllStopsAtTheFirstFailure)
{
    buildTable({{"А", "|  \"", "1"}, {"Б", "|  #", "2"}, {"В", "|  $", "3"}});
    faults.failNth(FileOperation::Rename, 2);
    ui.expectMessage("Вы действительно желаете удалить все лексемы из таблицы?", MessageAnswer::Yes);
    ui.expectMessage("Ошибка удаления!", MessageAnswer::Ok);
    form->deleteAllEntries();
    EXPECT_EQ(ui.messages().at(0).defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(ui.messages().at(1).icon, MessageIcon::Information);
    EXPECT_EQ(column(0), (std::vector<std::string>{"Б", "В"}));
    ASSERT_EQ(table->GetChildren().size(), 2u);
    EXPECT_EQ(table->GetChildren()[0]->GetText(), "Б");
    const test::Bytes bankBytes = test::readFile(directory.dataDirectory().productBank());
    const std::string bankText(bankBytes.begin(), bankBytes.end());
    EXPECT_EQ(bankText.find("|  \""), std::string::npos);
    EXPECT_NE(bankText.find("|  #"), std::string::npos);

    faults.failNth(FileOperation::Rename, 0);
    select(0);
    ui.expectMessage("Вы действительно желаете удалить лексему 'Б'?", MessageAnswer::No);
    form->deleteEntry();
    EXPECT_EQ(table->GetChildren().size(), 2u);
    ui.expectMessage("удалить все", MessageAnswer::Yes);
    form->deleteAllEntries();
    EXPECT_TRUE(table->GetChildren().empty());
    EXPECT_EQ(form->lv_1->topLevelItemCount(), 0);
    ui.expectMessage("удалить все", MessageAnswer::Yes); // an empty table asks and does nothing
    form->deleteAllEntries();
    EXPECT_TRUE(ui.finished());
}

TEST_F(FormTableLexemsTest, RenamingWritesTheCurrentLanguagesNameAndMenuFollowsSelection)
{
    ASSERT_TRUE(store->createKey(EditorKeyPath).writeDword("Language", 1));
    buildTable({{"Центр", "|  \"", "1"}});
    form->updateMenu();
    EXPECT_FALSE(form->deleteAction->isEnabled());
    EXPECT_FALSE(form->replaceMenu->isEnabled());
    select(0);
    form->updateMenu();
    EXPECT_TRUE(form->deleteAction->isEnabled());
    EXPECT_TRUE(form->keyNameAction->isEnabled());

    form->lv_1->topLevelItem(0)->setText(0, "Центр-1");
    const std::shared_ptr<LexItem> entry = table->GetChildren()[0];
    EXPECT_EQ(entry->key().stringValue("text1"), "Центр-1");
    EXPECT_EQ(entry->key().stringValue("text"), "Центр");
}

} // namespace vorela
