// "Пpослушать" and "Остановить" of the main window reach the template player.
#include "app/EditorPlayback.h"

#include "mainwindow/Form1.h"
#include "mainwindow/TaskTree.h"
#include "mainwindow/TaskTreeWidget.h"
#include "platform/RegistryStore.h"
#include "platform/VirtualAudioDevice.h"
#include "platform/qt/QtModalDialog.h"
#include "player/PlayerBar.h"
#include "soundbank/RiffBytes.h"
#include "soundbank/SoundBank.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "support/CertifiedGreeting.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"
#include "tables/DbfTaskTableQuery.h"

#include <QAction>
#include <QDialog>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace vorela {

class EditorPlaybackTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        store = RegistryStore::open(directory.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        root = std::make_unique<LexItem>(*store);
        const std::string common = root->AppendChild("Общие", "", 4, 1, FolderMask, "");
        LexItem &folder = *root->GetChild(common);
        ASSERT_EQ(folder.AppendChild("Приветствие", "PRIV", 4, 0, LexemeMask, ""), "1");
        ASSERT_EQ(folder.AppendChild("Добрый день", "0001", 4, 0, LexemeMask, ""), "2");
        ASSERT_TRUE(
            store->createKey(std::string(TasksRootPath) + "Задание\\Операторы\\Оп\\").isOpen());
        Aliases aliases(*store, directory.dataDirectory());
        std::string name;
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание", "Оп", "", {.path = "1\\2\\"}, name));
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание", "Оп", "", {.path = "1\\1\\"}, name));

        greeting = test::certifiedGreeting(directory.dataDirectory());
        ASSERT_FALSE(greeting.empty());
        test::Bytes greetingBytes;
        for (const std::int16_t sample : greeting)
            test::putU16(greetingBytes, static_cast<std::uint16_t>(sample));
        test::writeFile(directory.dataDirectory().productBank(),
                        test::bank({test::chunk("PRIV", greetingBytes),
                                    test::chunk("0001", test::samples(800, 7))}));

        const EditorContext context{*store, *root, directory.dataDirectory(), ui, tables, bank};
        form = std::make_unique<Form1>(context);
        playback = std::make_unique<EditorPlayback>(*form, context, audio);
    }

    void TearDown() override
    {
        playback.reset();
        form.reset();
        EXPECT_TRUE(ui.finished());
    }

    QTreeWidgetItem *operatorItem() const
    {
        const QList<QTreeWidgetItem *> found =
            form->tv_1->findItems(QStringLiteral("Оп"), Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }

    /// Moves the device's clock in steps of the player's marker timer.
    void play(int ms)
    {
        auto *player = form->findChild<Form3 *>("Form3");
        ASSERT_NE(player, nullptr);
        for (int step = 0; step < ms; step += 5) {
            audio.advance(5);
            player->showSpokenItem();
        }
    }

    QAction &action(const char *name) const
    {
        auto *found = form->findChild<QAction *>(name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }

    test::TempDataDir directory;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<LexItem> root;
    test::ScriptedUiServices ui;
    DbfTaskTableQuery tables;
    SoundBank bank{directory.dataDirectory(), ui};
    VirtualAudioDevice audio;
    std::vector<std::int16_t> greeting;
    std::unique_ptr<Form1> form;
    std::unique_ptr<EditorPlayback> playback;
};

TEST_F(EditorPlaybackTest, ListenPlaysTheTemplateAsOneStreamAndFreesTheWindowAtTheEnd)
{
    QTreeWidgetItem *item = operatorItem();
    ASSERT_NE(item, nullptr);
    form->tv_1->setCurrentItem(item);
    action("listen").trigger();
    ASSERT_EQ(item->childCount(), 2);
    EXPECT_FALSE(form->isReady());
    EXPECT_FALSE(form->isStopRequested());
    EXPECT_TRUE(item->child(0)->font(0).bold());
    EXPECT_FALSE(item->child(1)->font(0).bold());
    std::vector<std::int16_t> spoken = greeting;
    const std::vector<std::int16_t> hello = test::sampleValues(800, 7);
    spoken.insert(spoken.end(), hello.begin(), hello.end());
    ASSERT_EQ(audio.playedBlocks().size(), 1u);
    EXPECT_EQ(audio.playedBlocks()[0], spoken);

    play(static_cast<int>(greeting.size() / 8) + 5);
    EXPECT_FALSE(item->child(0)->font(0).bold());
    EXPECT_TRUE(item->child(1)->font(0).bold());
    play(200);
    EXPECT_EQ(audio.playedBlocks().size(), 1u);
    EXPECT_TRUE(form->isReady());
    EXPECT_TRUE(form->isStopRequested());
    EXPECT_FALSE(item->child(0)->font(0).bold());
    EXPECT_FALSE(item->child(1)->font(0).bold());
}

TEST_F(EditorPlaybackTest, StopEndsThePlaybackAtOnce)
{
    form->tv_1->setCurrentItem(operatorItem());
    action("listen").trigger();
    play(20);
    action("stop").trigger();
    audio.advance(0);
    EXPECT_EQ(audio.playedBlocks().size(), 1u);
    EXPECT_TRUE(form->isReady());
    play(500);
    EXPECT_EQ(audio.playedBlocks().size(), 1u);
}

// A double click on a row of the check by table plays the template with that row's record and
// leaves the player's bar on it; the main window's stop stays at hand.
TEST_F(EditorPlaybackTest, CheckByTableRowPlaysItsRecord)
{
    LexItem &folder = *root->GetChild("1");
    ASSERT_EQ(folder.AppendChild("Таблица", "#001", 6, 0, LexemeTableMask, ""), "3");
    ASSERT_EQ(folder.GetChild("3")->AppendChild("А", "|001", 0, 0, 0, "a"), "1");
    ASSERT_EQ(folder.GetChild("3")->AppendChild("Б", "|002", 0, 0, 0, "b"), "2");
    const std::filesystem::path table = directory.path() / "dolg.dbf";
    // Record 2 speaks "b" but has no second value: the only problem record.
    test::DbfBuilder({{"KOD", 'C', 4}, {"KOD2", 'C', 4}})
        .record({"a", "a"})
        .record({"b", ""})
        .write(table);
    ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + "Задание\\")
                    .writeString("File", table.string()));
    Aliases aliases(*store, directory.dataDirectory());
    std::string name;
    for (const char *column : {"KOD2", "KOD"})
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание", "Оп", "",
                                               {.path = "1\\3\\", .arg = column}, name));
    test::Bytes greetingBytes;
    for (const std::int16_t sample : greeting)
        test::putU16(greetingBytes, static_cast<std::uint16_t>(sample));
    test::writeFile(
        directory.dataDirectory().productBank(),
        test::bank({test::chunk("PRIV", greetingBytes), test::chunk("0001", test::samples(800, 7)),
                    test::chunk("|001", test::samples(80, 5000)),
                    test::chunk("|002", test::samples(80, 9000))}));

    ui.expectDialog("FormPreflightProgress", [](ModalDialog &dialog) {
        QSignalSpy finished(qDialogOf(dialog), &QDialog::finished);
        EXPECT_TRUE(finished.wait(10000));
        return qDialogOf(dialog)->result();
    });
    form->tv_1->setCurrentItem(operatorItem());
    action("checkTable").trigger();
    auto *rows = form->findChild<QTableView *>("problemTable");
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->model()->rowCount(), 1);
    const QRect cell = rows->visualRect(rows->model()->index(0, 0));
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, cell.center());

    EXPECT_EQ(form->findChild<PlayerBar *>("playerBar")->recordNumber->value(), 2);
    ASSERT_EQ(audio.playedBlocks().size(), 1U);
    const std::vector<std::int16_t> &played = audio.playedBlocks()[0];
    const auto contains = [&played](std::int16_t first) {
        const std::vector<std::int16_t> sound = test::sampleValues(80, first);
        return std::search(played.begin(), played.end(), sound.begin(), sound.end()) !=
               played.end();
    };
    EXPECT_TRUE(contains(9000));
    EXPECT_FALSE(contains(5000));
    // The check's window stays open while the main window's "Остановить" ends the playback.
    EXPECT_TRUE(rows->window()->isVisible());
    play(20);
    EXPECT_FALSE(form->isReady());
    action("stop").trigger();
    audio.advance(0);
    EXPECT_TRUE(form->isReady());
}

} // namespace vorela
