// The zoomed window onto the fixed selection pixels: columns keep their pixels through zooms,
// the view stays within the sound, and the ruler of a zoomed view counts from the sound's start.
#include "soundeditor/WaveformZoom.h"
#include "soundeditor/Waveform.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

// The editor's 493 columns: 31552 selection pixels.
constexpr int Columns = 493;

TEST(WaveformZoomTest, ZoomingKeepsThePixelUnderItsColumn)
{
    WaveformZoom view(Columns);
    EXPECT_EQ(view.selectionWidth(), 31552);
    EXPECT_EQ(view.pixelAt(50), 3200);
    for (int level = 2; level <= MaxZoom; level *= 2) {
        ASSERT_TRUE(view.zoomIn(3200));
        EXPECT_EQ(view.level(), level);
        EXPECT_EQ(view.columnOf(3200), 50) << level;
        EXPECT_EQ(view.pixelAt(50), 3200) << level;
        EXPECT_EQ(view.pixelAt(51), 3200 + MaxZoom / level) << level;
    }
    EXPECT_FALSE(view.zoomIn(3200));
    EXPECT_EQ(view.columnOf(3199), 49); // left of the pixel at column 50, whatever the zoom
    ASSERT_TRUE(view.zoomOut(3200));
    EXPECT_EQ(view.columnOf(3200), 50);
    view.fit();
    EXPECT_EQ(view.level(), 1);
    EXPECT_EQ(view.firstPixel(), 0);
    EXPECT_FALSE(view.zoomOut(0));
}

TEST(WaveformZoomTest, TheViewStaysWithinTheSound)
{
    WaveformZoom view(Columns);
    ASSERT_TRUE(view.zoomIn(15776)); // the middle: column 246 keeps it
    EXPECT_EQ(view.firstPixel(), 15776 - 246 * 32);
    // 7904 .. 23680 of 31552 pixels: bytes 4008 .. 12008 of a one-second sound.
    EXPECT_EQ(view.shownBytes(16000), (ByteRange{4008, 12008}));

    ASSERT_TRUE(view.zoomIn(31552)); // at the very end: the view ends there
    EXPECT_EQ(view.firstPixel() + view.shownPixels(), 31552);
    view.scrollBy(1000);
    EXPECT_EQ(view.firstPixel() + view.shownPixels(), 31552);
    view.scrollBy(-100000);
    EXPECT_EQ(view.firstPixel(), 0);
    EXPECT_EQ(view.pixelAt(-5), 0);
    EXPECT_EQ(view.pixelAt(Columns + 5), 16 * (Columns + 5));

    EXPECT_FALSE(view.follow(100)); // in sight: the view stays
    ASSERT_TRUE(view.follow(10000));
    EXPECT_EQ(view.firstPixel(), 10000);
    EXPECT_EQ(view.columnOf(9999), -1);
}

TEST(WaveformZoomTest, ZoomedRulerCountsFromTheStartOfTheSound)
{
    WaveformZoom view(Columns);
    const std::uint32_t thirtySeconds = 480000;
    const RulerLayout whole = rulerLayout(thirtySeconds, view, Columns);
    EXPECT_EQ(whole.majorTicks, rulerLayout(thirtySeconds, Columns, Columns).majorTicks);

    // 15 s shown: a label every 2 s, 65.7 columns apart.
    ASSERT_TRUE(view.zoomIn(0));
    const RulerLayout start = rulerLayout(thirtySeconds, view, Columns);
    ASSERT_GE(start.labels.size(), 3U);
    EXPECT_EQ(start.labels[0].text, "0");
    EXPECT_EQ(start.labels[1].text, "2.00");
    EXPECT_EQ(start.majorTicks[1], 66);

    // Following pixel 16000 turns to the last half, from 15 s: the first label is 16 s, 33
    // columns in; the 14 s step left of the view has minor ticks 13 columns apart, the first
    // inside at column 8.
    ASSERT_TRUE(view.follow(16000));
    EXPECT_EQ(view.firstPixel(), 15776);
    const RulerLayout later = rulerLayout(thirtySeconds, view, Columns);
    ASSERT_FALSE(later.labels.empty());
    EXPECT_EQ(later.labels[0].text, "16.00");
    EXPECT_EQ(later.majorTicks[0], 33);
    EXPECT_EQ(later.minorTicks[0], 8);
}

} // namespace
} // namespace vorela
