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
#include <QTest>
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

    // The key name dialog answered with entered; shownProposal receives what it showed first.
    void expectKeyName(const std::string &entered)
    {
        ui.expectDialog("FormEnterKeyname", [this, entered](ModalDialog &dialog) {
            auto *keyDialog = static_cast<FormEnterKeyname *>(qDialogOf(dialog));
            shownProposal = keyDialog->textb_1->text().toStdString();
            keyDialog->textb_1->setText(QString::fromStdString(entered));
            keyDialog->cb_OK->click();
            return keyDialog->result();
        });
    }

    // The sound editor opened on wav plays it and saves it as new; afterSave runs once it did.
    void expectSavedFromFile(const std::filesystem::path &wav, std::function<void()> afterSave)
    {
        test::writeFile(wav, test::riffWave({test::chunk("fmt ", test::formatRecord()),
                                             test::chunk("data", test::samples(800))}));
        ui.expectOpenFile(wav.parent_path() / wav.stem()); // no extension: ".wav" is added
        ui.expectDialog("Form2", [this, wav, afterSave](ModalDialog &dialog) {
            auto *editor = static_cast<Form2 *>(qDialogOf(dialog));
            EXPECT_EQ(editor->windowTitle().toStdString(),
                      "Проигрыватель - " + wav.stem().string());
            editor->show();
            QCoreApplication::processEvents(); // the automatic playback starts from the event loop
            audio.advance(1000);
            ui.expectMessage("Вы желаете сохpанить изменения?", MessageAnswer::Yes);
            editor->close();
            afterSave();
            return 0;
        });
    }

    /// The text of the last message shown, "" when there was none.
    std::string lastMessage() const
    {
        return ui.messages().empty() ? std::string() : ui.messages().back().text;
    }

    bool bankHolds(const std::string &chunkId) const
    {
        const test::Bytes bankBytes = test::readFile(directory.dataDirectory().productBank());
        return std::string(bankBytes.begin(), bankBytes.end()).find(chunkId) != std::string::npos;
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
    std::string shownProposal;
};

TEST_F(FormTableLexemsTest, SortsNamesAndKeysAsTextOrAsNumbers)
{
    buildTable({{"10", "|  \"", "b"}, {"9", "|  #", "aa"}, {"100", "|  $", "c"}});
    EXPECT_EQ(form->windowTitle().toStdString(), "Редактор таблицы лексем- \"Районы\"");
    EXPECT_EQ(column(0), (std::vector<std::string>{"10", "100", "9"}));
    EXPECT_EQ(form->lv_1->headerItem()->text(0).toStdString(),
              "Название лексемы (Сорт. как буквы)");
    test::saveScreenshot(*form, "FormTableLexems.png");

    form->sortByColumn(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"9", "10", "100"}));
    EXPECT_EQ(form->lv_1->headerItem()->text(0).toStdString(),
              "Название лексемы (Сорт. как цифры)");
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
    expectKeyName("3");
    expectSavedFromFile(directory.path() / "Восток.wav", [] {});
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

TEST_F(FormTableLexemsTest, NewEntryTheRegistryRefusesTakesItsSoundOutOfTheBankAgain)
{
    buildTable({{"Центр", "|  \"", "1"}});
    expectKeyName("3");
    expectSavedFromFile(directory.path() / "Восток.wav", [this] {
        EXPECT_TRUE(bankHolds("|  #"));
        store->failStep(1);
        ui.expectMessage("Не удалось записать новую лексему", MessageAnswer::Ok);
    });
    form->createFromFile();
    ASSERT_TRUE(ui.finished());
    EXPECT_EQ(lastMessage(),
              "Не удалось записать новую лексему в реестр. Её звук удалён из банка.");
    EXPECT_FALSE(bankHolds("|  #"));
    EXPECT_EQ(table->GetChildren().size(), 1u);
    EXPECT_EQ(column(0), std::vector<std::string>{"Центр"});
}

TEST_F(FormTableLexemsTest, DeleteAllStopsAtTheFirstFailure)
{
    buildTable({{"А", "|  \"", "1"}, {"Б", "|  #", "2"}, {"В", "|  $", "3"}});
    faults.failNth(FileOperation::Rename, 2);
    ui.expectMessage("Вы действительно желаете удалить все лексемы из таблицы?",
                     MessageAnswer::Yes);
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

TEST_F(FormTableLexemsTest, F2EditsTheNameEvenFromTheKeyColumn)
{
    buildTable({{"Центр", "|  \"", "1"}});
    form->show();
    form->lv_1->setCurrentItem(form->lv_1->topLevelItem(0), 1);
    form->lv_1->setFocus();
    QTest::keyClick(form->lv_1, Qt::Key_F2);
    QLineEdit *editor = form->lv_1->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text().toStdString(), "Центр");
    editor->setText("Юг");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(table->GetChildren()[0]->GetText(), "Юг");
    EXPECT_EQ(column(0), std::vector<std::string>{"Юг"});
    EXPECT_EQ(column(1), std::vector<std::string>{"1"});
}

TEST_F(FormTableLexemsTest, KeyNamesAreComparedWithTheStoredOnes)
{
    buildTable({{"Центр", "|  \"", "1"}, {"Север", "|  #", "2"}});
    const std::shared_ptr<LexItem> centre = table->GetChildren()[0];
    // Another program gives Север a new key name while the list shows the old one.
    ASSERT_TRUE(table->GetChildren()[1]->key().writeString(LexemeValue::Keyname, "9"));
    ASSERT_TRUE(centre->key().writeString(LexemeValue::Keyname, "8"));
    select(1); // "Центр" sorts after "Север"
    expectKeyName("9");
    ui.expectMessage("уже используется", MessageAnswer::Cancel);
    form->changeKeyName();
    EXPECT_EQ(shownProposal, "8");
    EXPECT_EQ(lastMessage(), "Введенное ключевое имя \"9\" уже используется.");
    EXPECT_EQ(centre->GetKeyname(), "8");
    EXPECT_EQ(column(1), (std::vector<std::string>{"9", "8"}));

    expectKeyName("2"); // no longer stored anywhere
    form->changeKeyName();
    EXPECT_EQ(centre->GetKeyname(), "2");
    EXPECT_EQ(column(1), (std::vector<std::string>{"9", "2"}));
    EXPECT_TRUE(ui.finished());
}

TEST_F(FormTableLexemsTest, RefusedWritesSaySoAndTheListShowsWhatIsStored)
{
    buildTable({{"Центр", "|  \"", "1"}});
    const std::shared_ptr<LexItem> entry = table->GetChildren()[0];
    select(0);
    store->failStep(1);
    ui.expectMessage("Не удалось переименовать", MessageAnswer::Ok);
    form->lv_1->topLevelItem(0)->setText(0, "Юг");
    EXPECT_EQ(lastMessage(), "Не удалось переименовать лексему 'Центр'.");
    EXPECT_EQ(entry->GetText(), "Центр");
    EXPECT_EQ(column(0), std::vector<std::string>{"Центр"});

    expectKeyName("5");
    ui.expectMessage("Не удалось сохранить ключевое имя", MessageAnswer::Ok);
    store->failStep(1);
    form->changeKeyName();
    EXPECT_EQ(lastMessage(), "Не удалось сохранить ключевое имя лексемы 'Центр'.");
    EXPECT_EQ(entry->GetKeyname(), "1");
    EXPECT_EQ(column(1), std::vector<std::string>{"1"});

    // The sound goes first; a registry that then refuses the node is not a busy bank.
    ui.expectMessage("удалить лексему 'Центр'?", MessageAnswer::Yes);
    ui.expectMessage("Ошибка удаления лексемы", MessageAnswer::Ok);
    store->failStep(1);
    form->deleteEntry();
    EXPECT_EQ(lastMessage(), "Ошибка удаления лексемы 'Центр' !");
    EXPECT_EQ(table->GetChildren().size(), 1u);
    EXPECT_EQ(column(0), std::vector<std::string>{"Центр"});
    // Deleting again finishes the job.
    ui.expectMessage("удалить лексему 'Центр'?", MessageAnswer::Yes);
    form->deleteEntry();
    EXPECT_TRUE(table->GetChildren().empty());
    EXPECT_EQ(form->lv_1->topLevelItemCount(), 0);
    EXPECT_TRUE(ui.finished());
}

} // namespace vorela
