// "Удалить" in the source tree: the three questions, the in-use marks, the removal of nodes,
// sounds and template items, and a sound that cannot be removed.
#include "MainWindowFixture.h"

#include "mainwindow/TreeItems.h"

#include <QLabel>

#include <filesystem>

namespace vorela::test {
namespace {

using SourceDeletionTest = MainWindowFixture;

const char *const LexemeQuestion = "Вы действительно желаете удалить лексему '";
const char *const InUseQuestion = "Некоторые удаляемые лексемы закреплены за кодами заданий";
const char *const FolderQuestion = "' не пустая.";
const char *const SoundError = "Ошибка удаления!\r\nВозможно в данный момент";
// A bank that cannot be read cannot be kept in a version either.
const char *const NoVersion = "Не удалось сохранить версию библиотеки перед этим действием";
const char *const NoVersionAtClose = "Не удалось сохранить версию библиотеки при закрытии";

TEST_F(SourceDeletionTest, UnusedLexemeIsDeletedWithItsSoundAfterYes)
{
    ui.expectMessage(LexemeQuestion, MessageAnswer::No);
    runSourceCommand(sourceItem({"Общие", "Вложенная", "Глубокая"}), "removeSource");
    EXPECT_TRUE(root->GetChild("1")->GetChild("6")->GetChild("1"));

    ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
    runSourceCommand(sourceItem({"Общие", "Вложенная", "Глубокая"}), "removeSource");
    EXPECT_EQ(lastMessage(), "Вы действительно желаете удалить лексему 'Глубокая'?");
    EXPECT_EQ(ui.messages().back().icon, MessageIcon::Question);
    EXPECT_EQ(ui.messages().back().defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(ui.messages().back().caption, form->windowTitle().toStdString());
    EXPECT_FALSE(root->GetChild("1")->GetChild("6")->GetChild("1"));
    EXPECT_EQ(sourceItem({"Общие", "Вложенная", "Глубокая"}), nullptr);
    EXPECT_EQ(bankChunks(), (std::vector<std::string>{"0001", "PRIV", "|001"}));
    EXPECT_TRUE(form->isReady());
    EXPECT_EQ(form->statusText->text(),
              "Для перемещения фраз из источников в шаблоны используйте мышь");
}

TEST_F(SourceDeletionTest, LexemeInUseAsksAgainAndNoLeavesEverythingUnmarked)
{
    ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
    ui.expectMessage(InUseQuestion, MessageAnswer::No);
    QTreeWidgetItem *lexeme = sourceItem({"Общие", "Добрый день"});
    runSourceCommand(lexeme, "removeSource");
    EXPECT_TRUE(root->GetChild("1")->GetChild("2"));
    EXPECT_EQ(templateTexts("Задание А", "Оп"),
              (std::vector<std::string>{"Приветствие", "Добрый день(Поле)"}));
    EXPECT_FALSE(lexeme->font(0).bold());
    QTreeWidgetItem *used = taskItem({"Задание А", "Оп", "Добрый день(Поле)"});
    ASSERT_NE(used, nullptr);
    EXPECT_FALSE(used->font(0).bold());
    EXPECT_TRUE(used->parent()->isExpanded()); // the marking opened the template
}

TEST_F(SourceDeletionTest, LexemeInUseIsRemovedFromTemplatesAfterTwoYes)
{
    ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
    ui.expectMessage(InUseQuestion, MessageAnswer::Yes);
    runSourceCommand(sourceItem({"Общие", "Добрый день"}), "removeSource");
    EXPECT_FALSE(root->GetChild("1")->GetChild("2"));
    EXPECT_EQ(templateTexts("Задание А", "Оп"), (std::vector<std::string>{"Приветствие"}));
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})), (std::vector<std::string>{"Приветствие"}));
    EXPECT_EQ(bankChunks(), (std::vector<std::string>{"0002", "PRIV", "|001"}));
}

TEST_F(SourceDeletionTest, FolderWithChildrenGoesWhole)
{
    ui.expectMessage(FolderQuestion, MessageAnswer::Yes);
    ui.expectMessage(InUseQuestion, MessageAnswer::Yes);
    runSourceCommand(sourceItem({"Общие"}), "removeSource");
    EXPECT_EQ(ui.messages().front().text.rfind("Внимание! Папкa 'Общие' не пустая.\r\n", 0), 0U);
    EXPECT_EQ(root->GetChildren().size(), 1U);
    EXPECT_EQ(childTexts(sourceTree().topLevelItem(0)), (std::vector<std::string>{"Пустая"}));
    EXPECT_EQ(bankChunks(), std::vector<std::string>{}); // the table entry's sound went too
    EXPECT_EQ(templateTexts("Задание А", "Оп"), std::vector<std::string>{});
}

TEST_F(SourceDeletionTest, EmptyFolderGetsTheLexemeWording)
{
    ui.expectMessage("удалить лексему 'Пустая'?", MessageAnswer::Yes);
    runSourceCommand(sourceItem({"Пустая"}), "removeSource");
    EXPECT_FALSE(root->GetChild("2"));
}

TEST_F(SourceDeletionTest, SoundThatCannotBeRemovedStopsWithTheNodeKept)
{
    // A bank the editor cannot rewrite: its directory entry is a directory.
    std::filesystem::remove(dataDir.dataDirectory().productBank());
    std::filesystem::create_directory(dataDir.dataDirectory().productBank());
    ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
    ui.expectMessage(NoVersion, MessageAnswer::Yes);
    ui.expectMessage("mmioOpen1", MessageAnswer::Ok);
    ui.expectMessage(SoundError, MessageAnswer::Ok);
    runSourceCommand(sourceItem({"Общие", "Вложенная", "Глубокая"}), "removeSource");
    EXPECT_TRUE(root->GetChild("1")->GetChild("6")->GetChild("1"));
    EXPECT_NE(sourceItem({"Общие", "Вложенная", "Глубокая"}), nullptr);
    EXPECT_EQ(ui.messages().back().icon, MessageIcon::Information);
    EXPECT_TRUE(form->isReady());
    ui.expectMessage(NoVersionAtClose, MessageAnswer::Ok);
}

TEST_F(SourceDeletionTest, NodeThatCannotBeRemovedKeepsItsItemAndSaysSo)
{
    // The store refuses the node's deletion after the sound is gone.
    ui.expectMessage("удалить лексему 'Пустая'?", MessageAnswer::Yes);
    ui.expectMessage("Ошибка удаления лексемы 'Пустая' !", MessageAnswer::Ok);
    store->failStep(1);
    runSourceCommand(sourceItem({"Пустая"}), "removeSource");
    store->failStep(std::nullopt);
    EXPECT_TRUE(root->GetChild("2"));
    EXPECT_NE(sourceItem({"Пустая"}), nullptr);
}

TEST_F(SourceDeletionTest, TemplateItemThatCannotBeRemovedKeepsTheLexemeAndItsSound)
{
    ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
    ui.expectMessage(InUseQuestion, MessageAnswer::Yes);
    ui.expectMessage("Ошибка удаления лексемы 'Добрый день' !", MessageAnswer::Ok);
    store->failStep(1);
    runSourceCommand(sourceItem({"Общие", "Добрый день"}), "removeSource");
    store->failStep(std::nullopt);
    EXPECT_TRUE(root->GetChild("1")->GetChild("2"));
    EXPECT_EQ(bankChunks(), (std::vector<std::string>{"0001", "0002", "PRIV", "|001"}));
    EXPECT_EQ(templateTexts("Задание А", "Оп"),
              (std::vector<std::string>{"Приветствие", "Добрый день(Поле)"}));
}

TEST_F(SourceDeletionTest, BusyBankAfterTheTemplatesLeavesBothTreesAsStored)
{
    std::filesystem::remove(dataDir.dataDirectory().productBank());
    std::filesystem::create_directory(dataDir.dataDirectory().productBank());
    ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
    ui.expectMessage(InUseQuestion, MessageAnswer::Yes);
    ui.expectMessage(NoVersion, MessageAnswer::Yes);
    ui.expectMessage("mmioOpen1", MessageAnswer::Ok);
    ui.expectMessage(SoundError, MessageAnswer::Ok);
    runSourceCommand(sourceItem({"Общие", "Добрый день"}), "removeSource");
    EXPECT_EQ(lastMessage(), "Ошибка удаления!\r\nВозможно в данный момент происходит оповещение "
                             "абонента. \r\nДля успешного завершения операции приостановите "
                             "выполнение заданий в приложении \"ВОРЕЛА\" и повторите попытку.\r\n");
    // The template item is gone from the store, so from the tree; the lexeme stays in both.
    EXPECT_EQ(templateTexts("Задание А", "Оп"), std::vector<std::string>{"Приветствие"});
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})), std::vector<std::string>{"Приветствие"});
    EXPECT_TRUE(root->GetChild("1")->GetChild("2"));
    EXPECT_NE(sourceItem({"Общие", "Добрый день"}), nullptr);
    ui.expectMessage(NoVersionAtClose, MessageAnswer::Ok);
}

} // namespace
} // namespace vorela::test
