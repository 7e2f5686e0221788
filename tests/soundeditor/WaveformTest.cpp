// Waveform polylines and ruler layouts against hand-drawn expectations.
#include "soundeditor/Waveform.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

using Points = std::vector<WavePoint>;

TEST(WaveformTest, SampleRows)
{
    EXPECT_EQ(sampleY(0, 100), 50);
    EXPECT_EQ(sampleY(32767, 100), 1);
    EXPECT_EQ(sampleY(-32768, 100), 100);
    EXPECT_EQ(sampleY(-2000, 100), 53); // -200000 / 65536 truncates to -3
}

TEST(WaveformTest, ManySamplesDrawMaxMinStrokes)
{
    const std::int16_t samples[] = {1000, -2000, 0, 500};
    EXPECT_EQ(waveformPolyline(samples, 2, 100),
              (Points{{0, 50}, {0, 49}, {0, 53}, {1, 50}, {1, 50}}));
    // A column of negative samples still reaches the centre line.
    const std::int16_t negative[] = {-16384, -16384};
    EXPECT_EQ(waveformPolyline(negative, 1, 100), (Points{{0, 50}, {0, 50}, {0, 75}}));
}

TEST(WaveformTest, FewSamplesDrawASteppedLine)
{
    const std::int16_t samples[] = {16384, -16384};
    EXPECT_EQ(waveformPolyline(samples, 4, 100),
              (Points{{0, 25}, {0, 25}, {1, 25}, {2, 75}, {3, 75}}));
    EXPECT_TRUE(waveformPolyline({}, 4, 100).empty());
}

TEST(WaveformTest, RulerLabelsEveryFiveOrTwoSecondsAroundThirtySeconds)
{
    const RulerLayout thirty = rulerLayout(480000, 300, 300);
    EXPECT_EQ(thirty.pixelStep, 50);
    EXPECT_EQ(thirty.majorTicks, (std::vector<int>{0, 50, 100, 150, 200, 250}));
    ASSERT_EQ(thirty.labels.size(), 6U);
    EXPECT_EQ(thirty.labels[0].text, "0");
    EXPECT_EQ(thirty.labels[1].text, "5.00");
    EXPECT_EQ(thirty.minorTicks.front(), 12); // 2 + 50 / 5
    EXPECT_EQ(thirty.finalTick, 299);

    const RulerLayout justUnder = rulerLayout(479998, 300, 300);
    EXPECT_EQ(justUnder.majorTicks.size(), 15U);
    EXPECT_EQ(justUnder.pixelStep, 20);
    EXPECT_EQ(justUnder.labels[1].text, "2.00");

    const RulerLayout empty = rulerLayout(0, 300, 300);
    EXPECT_TRUE(empty.majorTicks.empty());
    EXPECT_EQ(empty.finalTick, 299);
    EXPECT_EQ(lengthCaption(0), "0.00 сек.");
}

TEST(WaveformTest, LabelsStopBeforeTheRightEdge)
{
    // 2 s, step 0.5: four ticks 80 pixels apart on a 250-pixel ruler; 240 > 250 - 12.
    const RulerLayout ruler = rulerLayout(32000, 320, 250);
    EXPECT_EQ(ruler.majorTicks.size(), 4U);
    EXPECT_EQ(ruler.labels.size(), 3U);
}

} // namespace
} // namespace vorela
