// The versions the editor keeps by itself and its history window, over a real store, bank and
// history.git: each step that destroys leaves the library as it was before it, a failed save
// asks, and a version chosen in the window comes back into the trees.
#include "MainWindowFixture.h"

#include "mainwindow/HistoryWindow.h"
#include "platform/NamedMutex.h"
#include "versions/History.h"
#include "versions/LibraryState.h"
#include "versions/VersionRestore.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include <fstream>
#include <functional>
#include <map>

namespace vorela::test {
namespace {

using EditorVersionsTest = MainWindowFixture;
using Contents = std::map<std::string, BlobId>;

const char *const ClearQuestion = "удалить содержимое задания";
const char *const LexemeQuestion = "Вы действительно желаете удалить лексему";
const char *const FolderQuestion = "' не пустая.";
const char *const SaveFailed = "Не удалось сохранить версию библиотеки перед этим действием";

Contents contentsOf(const LibraryFiles &files)
{
    Contents contents;
    for (const auto &[path, file] : files)
        contents[path] = file.id;
    return contents;
}

Contents libraryNow(const DataDirectory &data, RegistryStore &store)
{
    LibraryState state;
    std::string error;
    EXPECT_TRUE(readLibraryState(data, store, state, error)) << error;
    return contentsOf(state.files);
}

// Every version newest first, with its message and contents.
std::vector<std::pair<std::string, Contents>> versionsOf(const DataDirectory &data)
{
    std::string error;
    const std::unique_ptr<History> history = History::open(data, error);
    std::vector<VersionInfo> log;
    EXPECT_TRUE(history && history->log(log, error)) << error;
    std::vector<std::pair<std::string, Contents>> versions;
    for (const VersionInfo &version : log) {
        LibraryFiles files;
        EXPECT_TRUE(history->read(version.id, files, error)) << error;
        versions.emplace_back(version.message, contentsOf(files));
    }
    return versions;
}

TEST_F(EditorVersionsTest, EachDestroyingStepLeavesTheLibraryAsItWasBeforeIt)
{
    const struct {
        const char *message;
        std::function<void()> run;
    } steps[] = {
        {"Перед очисткой шаблона Задание А / Оп",
         [this] {
             ui.expectMessage(ClearQuestion, MessageAnswer::Yes);
             runTaskCommand(taskItem({"Задание А", "Оп"}), "clear");
         }},
        {"Перед удалением лексемы «Добрый день»",
         [this] {
             ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
             runSourceCommand(sourceItem({"Общие", "Добрый день"}), "removeSource");
         }},
        {"Перед удалением папки «Вложенная»",
         [this] {
             ui.expectMessage(FolderQuestion, MessageAnswer::Yes);
             runSourceCommand(sourceItem({"Общие", "Вложенная"}), "removeSource");
         }},
        {"При закрытии редактора", [this] { form->close(); }},
    };
    const DataDirectory data = dataDir.dataDirectory();
    for (const auto &[message, run] : steps) {
        const Contents before = libraryNow(data, *store);
        const std::size_t count = versionsOf(data).size();
        run();
        const auto versions = versionsOf(data);
        ASSERT_EQ(versions.size(), count + 1) << message;
        EXPECT_EQ(versions[0].first, message);
        EXPECT_EQ(versions[0].second, before) << message;
    }
    EXPECT_NE(libraryNow(data, *store), versionsOf(data).back().second); // the steps did change it
}

TEST_F(EditorVersionsTest, AFailedSaveAsksAndNoLeavesEverythingAsItWas)
{
    const DataDirectory data = dataDir.dataDirectory();
    // A file where the history should be: no version can be made.
    std::ofstream(History::folder(data)) << "not a repository";
    const Contents before = libraryNow(data, *store);

    ui.expectMessage(ClearQuestion, MessageAnswer::Yes);
    ui.expectMessage(SaveFailed, MessageAnswer::No);
    runTaskCommand(taskItem({"Задание А", "Оп"}), "clear");
    EXPECT_EQ(ui.messages().back().defaultAnswer, MessageAnswer::No);
    EXPECT_NE(lastMessage().find("history.git"), std::string::npos) << lastMessage();

    ui.expectMessage(LexemeQuestion, MessageAnswer::Yes);
    ui.expectMessage("закреплены за кодами заданий", MessageAnswer::Yes);
    ui.expectMessage(SaveFailed, MessageAnswer::No);
    runSourceCommand(sourceItem({"Общие", "Добрый день"}), "removeSource");

    EXPECT_EQ(libraryNow(data, *store), before);
    QTreeWidgetItem *used = taskItem({"Задание А", "Оп", "Добрый день(Поле)"});
    ASSERT_NE(used, nullptr);
    EXPECT_FALSE(used->font(0).bold()); // the marks of its uses are gone
    EXPECT_NE(sourceItem({"Общие", "Добрый день"}), nullptr);
    // Nor is the history read: the window says why instead of listing no versions.
    action("history").trigger();
    const auto *window = form->findChild<HistoryWindow *>(QStringLiteral("HistoryWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->historyStatus->text().startsWith("Не удалось прочитать историю версий"));
    EXPECT_FALSE(window->versionList->isEnabled());
    EXPECT_FALSE(window->restoreButton->isEnabled());
    // At close the operator is told, and the window closes all the same.
    ui.expectMessage("при закрытии редактора", MessageAnswer::Ok);
    closeForm();
}

TEST_F(EditorVersionsTest, TheHistoryWindowRestoresTheChosenVersionIntoTheTrees)
{
    // The editor restores holding its own mutex, as the editor's start-up takes it.
    NamedMutex editor(dataDir.dataDirectory(), std::string(EditorMutexName));
    ASSERT_TRUE(editor.tryLock());
    ui.expectMessage(ClearQuestion, MessageAnswer::Yes);
    runTaskCommand(taskItem({"Задание А", "Оп"}), "clear");
    ui.expectMessage(FolderQuestion, MessageAnswer::Yes);
    runSourceCommand(sourceItem({"Общие", "Вложенная"}), "removeSource");

    action("history").trigger();
    auto *window = form->findChild<HistoryWindow *>(QStringLiteral("HistoryWindow"));
    ASSERT_NE(window, nullptr);
    QSignalSpy read(window, &HistoryWindow::changesRead);
    ASSERT_TRUE(read.wait(10000));
    ASSERT_EQ(window->versionList->topLevelItemCount(), 2);
    EXPECT_EQ(window->versionList->topLevelItem(0)->text(2), "изменён шаблон Задание А / Оп");
    window->versionList->setCurrentItem(window->versionList->topLevelItem(0));
    EXPECT_EQ(window->changeList->item(0)->text(),
              "Шаблон Задание А / Оп: добавлен элемент «Приветствие»");

    window->versionList->setCurrentItem(window->versionList->topLevelItem(1));
    ui.expectMessage("Восстановить библиотеку", MessageAnswer::Yes);
    ui.expectMessage("Библиотека восстановлена по версии от", MessageAnswer::Ok);
    window->restoreButton->click();

    EXPECT_NE(taskItem({"Задание А", "Оп", "Добрый день(Поле)"}), nullptr);
    EXPECT_NE(sourceItem({"Общие", "Вложенная", "Глубокая"}), nullptr);
    EXPECT_EQ(bankChunks(), (std::vector<std::string>{"0001", "0002", "PRIV", "|001"}));
    const auto versions = versionsOf(dataDir.dataDirectory());
    ASSERT_EQ(versions.size(), 4u);
    EXPECT_EQ(versions[0].second, versions[3].second);
    EXPECT_EQ(versions[0].first.rfind("Восстановлена версия от ", 0), 0u);
    EXPECT_EQ(versions[1].first.rfind("Перед восстановлением версии от ", 0), 0u);
    ASSERT_TRUE(read.wait(10000)); // the list read anew shows the restore
    EXPECT_EQ(window->versionList->topLevelItemCount(), 4);
}

} // namespace
} // namespace vorela::test
