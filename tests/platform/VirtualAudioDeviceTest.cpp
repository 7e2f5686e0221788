// The virtual sound card: blocks end on the test's clock, stop() reports through the callbacks
// on the next advance, recordings stop at their buffer's size, failures start nothing.
#include "platform/VirtualAudioDevice.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

TEST(VirtualAudioDeviceTest, BlockEndsAfterItsLength)
{
    VirtualAudioDevice device;
    const std::vector<std::int16_t> block(800, 7); // 100 ms at 8000 Hz
    int ended = 0;
    ASSERT_EQ(device.play(block, {}, [&] { ++ended; }), AudioStart::Started);
    EXPECT_EQ(device.play(block, {}, [] {}), AudioStart::Busy);
    device.advance(60);
    EXPECT_EQ(device.playedSamples(), 480U);
    EXPECT_EQ(ended, 0);
    device.advance(40);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(device.isPlaying());
    ASSERT_EQ(device.playedBlocks().size(), 1U);
    EXPECT_EQ(device.playedBlocks()[0], block);
    // 16000 Hz plays twice as fast.
    ASSERT_EQ(device.play(block, {16000, 1}, [&] { ++ended; }), AudioStart::Started);
    device.advance(50);
    EXPECT_EQ(ended, 2);
}

TEST(VirtualAudioDeviceTest, StopReportsOnTheNextAdvanceAndAbandonNever)
{
    VirtualAudioDevice device;
    device.setMicrophone([](std::size_t n) { return std::int16_t(n); });
    const std::vector<std::int16_t> block(8000);
    bool played = false;
    std::vector<std::int16_t> recorded;
    ASSERT_EQ(device.play(block, {}, [&] { played = true; }), AudioStart::Started);
    ASSERT_EQ(device.record(100000, [&](std::vector<std::int16_t> s) { recorded = std::move(s); }),
              AudioStart::Started);
    device.advance(2);
    device.stop();
    EXPECT_FALSE(played); // never inside stop()
    device.advance(0);
    EXPECT_TRUE(played);
    EXPECT_EQ(recorded,
              (std::vector<std::int16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));

    ASSERT_EQ(device.play(block, {}, [] { FAIL() << "abandoned"; }), AudioStart::Started);
    device.abandon();
    device.advance(2000);
    EXPECT_FALSE(device.isPlaying());
}

TEST(VirtualAudioDeviceTest, RecordingStopsWhenItsBufferIsFull)
{
    VirtualAudioDevice device;
    std::size_t captured = 0;
    ASSERT_EQ(device.record(480000, [&](std::vector<std::int16_t> s) { captured = s.size(); }),
              AudioStart::Started);
    device.advance(59000);
    EXPECT_EQ(device.recordedSamples(), 472000U);
    device.advance(5000);
    EXPECT_EQ(captured, 480000U);
    EXPECT_FALSE(device.isRecording());
}

TEST(VirtualAudioDeviceTest, MissingOrFailingDevicesStartNothing)
{
    VirtualAudioDevice device;
    const std::vector<std::int16_t> block(80);
    device.setOutputAvailable(false);
    device.setInputAvailable(false);
    EXPECT_FALSE(device.canPlay({}));
    EXPECT_EQ(device.play(block, {}, [] { FAIL(); }), AudioStart::NoDevice);
    EXPECT_EQ(device.record(80, [](std::vector<std::int16_t>) { FAIL(); }), AudioStart::NoDevice);
    device.setOutputAvailable(true);
    device.failNextPlay(AudioStart::Busy);
    EXPECT_EQ(device.play(block, {}, [] { FAIL(); }), AudioStart::Busy);
    device.advance(100);
    EXPECT_TRUE(device.playedBlocks().empty());
    EXPECT_EQ(device.play(block, {}, [] {}), AudioStart::Started); // only the next one fails
}

} // namespace
} // namespace vorela
