// The player on the Qt sound device: against a private PulseAudio server, and with none at all.
#include "player/Form3.h"

#include "platform/qt/QtAudioDevice.h"
#include "player/TreeMarkers.h"
#include "soundbank/KeySequenceRender.h"
#include "soundbank/RiffBytes.h"
#include "stores/KeySequence.h"
#include "support/ChildProcess.h"
#include "support/PrivatePulseServer.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

namespace vorela {
namespace {

void writeTwoLexemeBank(const test::TempDataDir &directory)
{
    test::writeFile(directory.dataDirectory().productBank(),
                    test::bank({test::chunk("0001", test::samples(1600, -800)),
                                test::chunk("0002", test::samples(1600, -800))}));
}

// First: Qt keeps the sound server it found, also in a forked child.
TEST(Form3RealDeviceTest, WithoutASoundServerNothingPlaysAndNothingIsSaid)
{
    const std::string emptyDir = ::testing::TempDir() + "vorela-player-no-pulse";
    std::filesystem::create_directories(emptyDir);
    test::ChildProcess child([&emptyDir](test::ChildProcess &) {
        ::setenv("XDG_RUNTIME_DIR", emptyDir.c_str(), 1);
        ::setenv("PULSE_SERVER", "unix:/nonexistent/vorela-no-pulse", 1);
        test::TempDataDir directory;
        writeTwoLexemeBank(directory);
        QtAudioDevice audio;
        test::ScriptedUiServices ui;
        Form3 player(audio, ui, directory.dataDirectory(), "Редактор лексем");
        bool ended = false;
        QObject::connect(&player, &Form3::finished, [&ended] { ended = true; });
        const bool started = player.start({"0001", "0002"}, nullptr, true);
        return started && ended && !player.isPlaying() && ui.messages().empty() ? 0 : 1;
    });
    EXPECT_EQ(child.wait(), 0);
}

TEST(Form3RealDeviceTest, LexemesPlayOneAfterAnotherToTheEnd)
{
    if (const std::optional<std::string> missing = test::missingSoundServer())
        GTEST_SKIP() << *missing;
    test::TempDataDir directory;
    writeTwoLexemeBank(directory);
    QtAudioDevice audio;
    test::ScriptedUiServices ui;
    Form3 player(audio, ui, directory.dataDirectory(), "Редактор лексем");
    QSignalSpy finished(&player, &Form3::finished);
    QTreeWidget tree;
    ASSERT_TRUE(player.start({"0001", "NULL", "0002"}, &tree, true));
    EXPECT_TRUE(player.isPlaying());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(ui.messages().empty());
}

// The items of tree that are bold, top-level items in order.
std::vector<QTreeWidgetItem *> boldItems(const QTreeWidget &tree)
{
    std::vector<QTreeWidgetItem *> bold;
    for (int index = 0; index < tree.topLevelItemCount(); ++index) {
        if (tree.topLevelItem(index)->font(0).bold())
            bold.push_back(tree.topLevelItem(index));
    }
    return bold;
}

// The operator must hear the template as the subscriber does: no pause between lexemes, and the
// bold item is the one being spoken.
TEST(Form3RealDeviceTest, TemplatePlaysWithoutPausesMarkingTheSpokenItem)
{
    if (const std::optional<std::string> missing = test::missingSoundServer())
        GTEST_SKIP() << *missing;
    test::TempDataDir directory;
    // Three items of five lexemes each, from a short word (0.2 s) to a long one (0.45 s).
    const std::size_t lengths[] = {2400, 1600, 3200, 2000, 1600, 3600, 1600, 2400,
                                   2000, 2800, 1600, 3200, 2000, 2400, 1600};
    std::vector<test::Bytes> chunks;
    for (std::size_t index = 0; index < std::size(lengths); ++index) {
        chunks.push_back(test::chunk(std::to_string(1001 + index),
                                     test::samples(lengths[index], std::int16_t(index * 1000))));
    }
    const std::filesystem::path bank = directory.dataDirectory().productBank();
    test::writeFile(bank, test::bank(chunks));
    QTreeWidget tree;
    QTreeWidgetItem *const items[] = {new QTreeWidgetItem(&tree, {"Приветствие"}),
                                      new QTreeWidgetItem(&tree, {"Сумма"}),
                                      new QTreeWidgetItem(&tree, {"Дата"})};
    std::vector<std::string> keys;
    double itemStarts[std::size(items)] = {};
    double seconds = 0;
    for (std::size_t index = 0; index < std::size(lengths); ++index) {
        if (index % 5 == 0) {
            keys.push_back(markerKey(treeItemHandle(items[index / 5])));
            itemStarts[index / 5] = seconds;
        }
        keys.push_back(std::to_string(1001 + index));
        keys.emplace_back("NULL");
        seconds += double(lengths[index]) / 8000;
    }
    const RenderedSpeech speech = renderKeySequence(bank, keys, {});
    ASSERT_TRUE(speech.ok()) << speech.error;
    const double renderedSeconds = double(speech.samples.size()) / 8000;

    QtAudioDevice audio;
    test::ScriptedUiServices ui;
    Form3 player(audio, ui, directory.dataDirectory(), "Редактор лексем");
    QSignalSpy finished(&player, &Form3::finished);
    QElapsedTimer clock;
    struct BoldChange {
        double seconds;
        std::vector<QTreeWidgetItem *> bold;
    };
    std::vector<BoldChange> changes;
    // Queued: one marker step repaints two items, and only the state after it counts.
    QObject::connect(
        tree.model(), &QAbstractItemModel::dataChanged, &tree,
        [&] {
            std::vector<QTreeWidgetItem *> bold = boldItems(tree);
            if (changes.empty() || changes.back().bold != bold)
                changes.push_back({double(clock.nsecsElapsed()) / 1e9, std::move(bold)});
        },
        Qt::QueuedConnection);
    clock.start();
    ASSERT_TRUE(player.start(keys, &tree, true));
    ASSERT_TRUE(finished.wait(60000));
    const double wallSeconds = double(clock.nsecsElapsed()) / 1e9;
    QCoreApplication::processEvents(); // the queued look at the last repaint
    std::cout << "played " << renderedSeconds << " s of speech in " << wallSeconds << " s\n";
    for (const BoldChange &change : changes)
        std::cout << "  at " << change.seconds << " s: " << change.bold.size() << " bold\n";
    EXPECT_LE(wallSeconds, renderedSeconds + 0.5);
    EXPECT_GE(wallSeconds, renderedSeconds - 0.1);

    // Each item alone in bold from about when its first lexeme starts; none at the end.
    ASSERT_EQ(changes.size(), std::size(items) + 1);
    for (std::size_t index = 0; index < std::size(items); ++index) {
        EXPECT_EQ(changes[index].bold, std::vector<QTreeWidgetItem *>{items[index]}) << index;
        EXPECT_NEAR(changes[index].seconds, itemStarts[index], 0.3) << index;
    }
    EXPECT_TRUE(changes.back().bold.empty());
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
} // namespace vorela
