// The player on the Qt sound device: against a private PulseAudio server, and with none at all.
#include "player/Form3.h"

#include "platform/qt/QtAudioDevice.h"
#include "soundbank/RiffBytes.h"
#include "support/ChildProcess.h"
#include "support/PrivatePulseServer.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
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
    EXPECT_TRUE(player.keySequence().empty());
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
} // namespace vorela
