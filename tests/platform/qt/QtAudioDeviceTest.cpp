// The Qt audio device against a private sound server: a block plays to its end, a tone played
// into the null sink comes back through the recording; without a server there is no device.
#include "platform/qt/QtAudioDevice.h"
#include "support/ChildProcess.h"
#include "support/PrivatePulseServer.h"
#include "support/TestTone.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace vorela {
namespace {

// First, and in a child process: the parent's sound backend has not started yet, and the
// child's sees no server at all.
TEST(QtAudioDeviceTest, NoServerMeansNoDevice)
{
    const std::string emptyDir = ::testing::TempDir() + "vorela-no-pulse";
    std::filesystem::create_directories(emptyDir);
    test::ChildProcess child([&emptyDir](test::ChildProcess &) {
        ::setenv("XDG_RUNTIME_DIR", emptyDir.c_str(), 1);
        ::setenv("PULSE_SERVER", "unix:/nonexistent/vorela-no-pulse", 1);
        QtAudioDevice device;
        const std::vector<std::int16_t> block(800);
        int faults = 0;
        faults += device.canPlay({}) ? 1 : 0;
        faults += device.canRecord() ? 1 : 0;
        faults += device.play(block, {}, [] {}) == AudioStart::NoDevice ? 0 : 1;
        faults +=
            device.record(800, [](std::vector<std::int16_t>) {}) == AudioStart::NoDevice ? 0 : 1;
        return faults;
    });
    EXPECT_EQ(child.wait(), 0);
}

TEST(QtAudioDeviceTest, BlockPlaysToItsEnd)
{
    if (const std::optional<std::string> missing = test::missingSoundServer())
        GTEST_SKIP() << *missing;
    QtAudioDevice device;
    ASSERT_TRUE(device.canPlay({}));
    const std::vector<std::int16_t> block = test::sineTone(440, 0.5, 8000);
    bool done = false;
    std::size_t lastPosition = 0;
    QElapsedTimer clock;
    qint64 playedMs = 0;
    clock.start();
    ASSERT_EQ(device.play(block, {},
                          [&] {
                              done = true;
                              playedMs = clock.elapsed();
                          }),
              AudioStart::Started);
    EXPECT_FALSE(done); // never inside play()
    EXPECT_TRUE(device.isPlaying());
    EXPECT_EQ(device.play(block, {}, [] {}), AudioStart::Busy);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (!done)
                lastPosition = device.playedSamples();
            return done;
        },
        5000));
    EXPECT_GE(lastPosition, block.size() / 2);
    EXPECT_GE(playedMs, 450); // the end of the block is heard, not cut off
    EXPECT_FALSE(device.isPlaying());
    RecordProperty("playedMs", int(playedMs));
}

TEST(QtAudioDeviceTest, RecordingHearsTheTonePlayedIntoTheSink)
{
    if (const std::optional<std::string> missing = test::missingSoundServer())
        GTEST_SKIP() << *missing;
    QtAudioDevice device;
    ASSERT_TRUE(device.canRecord());
    std::vector<std::int16_t> recorded;
    bool recordingDone = false;
    ASSERT_EQ(device.record(16000,
                            [&](std::vector<std::int16_t> samples) {
                                recorded = std::move(samples);
                                recordingDone = true;
                            }),
              AudioStart::Started);
    const std::vector<std::int16_t> block = test::sineTone(1000, 1.5, 16000);
    bool playDone = false;
    ASSERT_EQ(device.play(block, {}, [&] { playDone = true; }), AudioStart::Started);
    // The buffer of two seconds fills up and ends the recording by itself.
    ASSERT_TRUE(QTest::qWaitFor([&] { return recordingDone; }, 8000));
    EXPECT_EQ(recorded.size(), 16000U);
    EXPECT_GT(test::toneLevel(recorded, 1000), 0.1);  // about 0.37 when the whole tone came back
    EXPECT_LT(test::toneLevel(recorded, 1700), 0.02); // and it is the tone, not noise
    device.stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return playDone; }, 3000));
}

// The last word of a template is heard whole: the block ends when the server has played its
// last samples, not when it has taken them. A tone at the very end comes back in full.
TEST(QtAudioDeviceTest, TheBlocksLastTenthOfASecondIsPlayed)
{
    if (const std::optional<std::string> missing = test::missingSoundServer())
        GTEST_SKIP() << *missing;
    QtAudioDevice device;
    std::vector<std::int16_t> recorded;
    bool recordingDone = false;
    ASSERT_EQ(device.record(24000,
                            [&](std::vector<std::int16_t> samples) {
                                recorded = std::move(samples);
                                recordingDone = true;
                            }),
              AudioStart::Started);
    const std::vector<std::int16_t> block =
        test::joined({test::silence(1.0), test::sineTone(1000, 0.1, 16000)});
    bool playDone = false;
    ASSERT_EQ(device.play(block, {}, [&] { playDone = true; }), AudioStart::Started);
    // The fault: the GUI thread is held up (a slow repaint) while the block is being handed
    // over, so the server starts it late. Its end must still be waited for.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ASSERT_TRUE(QTest::qWaitFor([&] { return recordingDone; }, 8000));
    EXPECT_TRUE(playDone);
    // 10 ms windows holding the tone: 10 when it came back whole (one of the two windows it
    // straddles passes), fewer when its end was cut off.
    const std::span<const std::int16_t> all(recorded);
    std::size_t toneWindows = 0;
    for (std::size_t start = 0; start + 80 <= all.size(); start += 80)
        toneWindows += test::toneLevel(all.subspan(start, 80), 1000) > 0.25 ? 1 : 0;
    EXPECT_GE(toneWindows, 9U);
    EXPECT_LE(toneWindows, 11U);
}

TEST(QtAudioDeviceTest, StopEndsPlaybackAndRecordingThroughTheirCallbacks)
{
    if (const std::optional<std::string> missing = test::missingSoundServer())
        GTEST_SKIP() << *missing;
    QtAudioDevice device;
    const std::vector<std::int16_t> block = test::sineTone(440, 10, 8000);
    bool playDone = false;
    bool recordingDone = false;
    ASSERT_EQ(device.play(block, {}, [&] { playDone = true; }), AudioStart::Started);
    ASSERT_EQ(device.record(480000, [&](std::vector<std::int16_t>) { recordingDone = true; }),
              AudioStart::Started);
    // Stop once both directions are under way.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return device.playedSamples() > 0 && device.recordedSamples() > 0; }, 3000));
    device.stop();
    EXPECT_FALSE(playDone);
    EXPECT_TRUE(QTest::qWaitFor([&] { return playDone && recordingDone; }, 2000));
}

TEST(QtAudioDeviceTest, RecordsFromTheChosenInputAndRefusesAMissingOne)
{
    if (const std::optional<std::string> missing = test::missingSoundServer())
        GTEST_SKIP() << *missing;
    QtAudioDevice device;
    const std::vector<std::string> inputs = device.inputNames();
    ASSERT_EQ(inputs.size(), 1U); // the server's one source, the remapped monitor
    EXPECT_EQ(device.inputName(), inputs.front());
    device.chooseInput("Unplugged headset");
    EXPECT_EQ(device.inputName(), "Unplugged headset");
    EXPECT_FALSE(device.canRecord());
    EXPECT_EQ(device.record(800, [](std::vector<std::int16_t>) { FAIL(); }), AudioStart::NoDevice);
    device.chooseInput(inputs.front());
    bool done = false;
    ASSERT_EQ(device.record(800, [&done](std::vector<std::int16_t>) { done = true; }),
              AudioStart::Started);
    EXPECT_TRUE(QTest::qWaitFor([&done] { return done; }, 3000));
}

} // namespace
} // namespace vorela
