// The recording level against hand-computed peaks, clipping at both ends of the range, and a
// take followed in uneven looks.
#include "soundeditor/RecordingMonitor.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorela {
namespace {

using Samples = std::vector<std::int16_t>;

TEST(RecordingMonitorTest, BlockLevelIsThePeakInDbfsAndClippingIsFullScale)
{
    struct Case {
        Samples block;
        double peakDbfs;
        bool clipped;
    };
    const Case cases[] = {
        {{}, MeterFloorDbfs, false},
        {{0, 0, 0}, MeterFloorDbfs, false},
        {{16384}, -6.0206, false},
        {{100, -16384, 3}, -6.0206, false}, // the negative peak counts as much
        {{3277}, -20.0, false},
        {{32}, MeterFloorDbfs, false}, // -60.2 dBFS: at the floor
        {{0, 32766}, -0.0003, false},
        {{0, 32767, 0}, -0.0003, true},
        {{-32767}, -0.0003, false},
        {{5, -32768}, 0.0, true},
    };
    for (const Case &c : cases) {
        const BlockLevel level = blockLevel(c.block);
        EXPECT_NEAR(level.peakDbfs, c.peakDbfs, 0.001) << testing::PrintToString(c.block);
        EXPECT_EQ(level.clipped, c.clipped) << testing::PrintToString(c.block);
    }
    EXPECT_DOUBLE_EQ(meterShare(-30), 0.5);
}

TEST(RecordingMonitorTest, EachLookMeasuresOnlyWhatArrivedAndClippingStaysUntilTheNextTake)
{
    Samples take(800, 0);
    take[100] = 32767; // clips in the first block only
    take[500] = 1000;
    TakeMonitor monitor;
    EXPECT_TRUE(monitor.follow(std::span(take).first(400)).clipped);
    const BlockLevel second = monitor.follow(std::span(take).first(700));
    EXPECT_FALSE(second.clipped);
    EXPECT_NEAR(second.peakDbfs, -30.3, 0.1); // 1000 of 32768, not the earlier clip
    EXPECT_TRUE(monitor.hasClipped());
    EXPECT_EQ(monitor.follow(std::span(take).first(700)), second); // nothing new: unchanged
    EXPECT_EQ(monitor.follow(std::span(take).first(800)).peakDbfs, MeterFloorDbfs);

    monitor.restart();
    EXPECT_FALSE(monitor.hasClipped());
    EXPECT_NEAR(monitor.follow(std::span(take).subspan(200)).peakDbfs, -30.3, 0.1);
}

TEST(RecordingMonitorTest, GrowingTakeSpansWholeStepsOfFiveSeconds)
{
    EXPECT_EQ(growingSpanSamples(39999), 40000U);
    EXPECT_EQ(growingSpanSamples(40000), 80000U);
    for (std::size_t recorded = 0; recorded <= 480000; recorded += 777)
        EXPECT_GT(growingSpanSamples(recorded), recorded); // the take never runs off the right
}

} // namespace
} // namespace vorela
