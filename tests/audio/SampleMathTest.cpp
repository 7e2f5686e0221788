// Pixel-to-byte arithmetic, playback ranges, snapping, ruler steps and number formats.
#include "audio/SampleMath.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

TEST(SampleMathTest, PixelsMapToEvenBytes)
{
    EXPECT_EQ(byteAtPixel(100, 16000, 320), 5000U);
    EXPECT_EQ(byteAtPixel(-3, 16000, 320), 0U);
    EXPECT_EQ(byteAtPixel(400, 16000, 320), 16000U); // never past the sound
    // 20 MB at pixel 300 of 320: the product does not fit 32 bits.
    EXPECT_EQ(byteAtPixel(300, 20000000, 320), 18750000U);
    // byte(1) = 3 and byte(3) = 9 of a 1000-byte sound round up to whole samples.
    EXPECT_EQ(selectedBytes({1, 3}, 1000, 320), (ByteRange{4, 10}));
}

TEST(SampleMathTest, SelectedBytesNeedARealSelection)
{
    struct Case {
        Selection selection;
        ByteRange expected;
    };
    const Case cases[] = {
        {{10, 20}, {200, 400}}, {{20, 10}, {200, 400}}, // dragged right to left: same bytes
        {{10, 11}, {200, 220}}, {{10, 10}, {}},         {{10, NoSelectionEnd}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(selectedBytes(c.selection, 6400, 320), c.expected)
            << c.selection.markerX << ".." << c.selection.selectionEndX;
    EXPECT_EQ(recordTarget({10, NoSelectionEnd}, 6400, 320), (ByteRange{200, 200}));
    EXPECT_EQ(recordTarget({20, 10}, 6400, 320), (ByteRange{200, 400}));
}

TEST(SampleMathTest, PlaybackRanges)
{
    const PlayPlan fromMarker = planPlayback({100, NoSelectionEnd}, 6400, 320);
    EXPECT_EQ(fromMarker.bytes, (ByteRange{2000, 6400}));
    EXPECT_TRUE(fromMarker.playToEnd);
    EXPECT_EQ(fromMarker.playStartX, 100);

    const PlayPlan forward = planPlayback({100, 200}, 6400, 320);
    const PlayPlan reversed = planPlayback({200, 100}, 6400, 320);
    EXPECT_EQ(forward.bytes, (ByteRange{2000, 4000}));
    EXPECT_EQ(reversed.bytes, forward.bytes);
    EXPECT_EQ(reversed.playStartX, 100); // the cursor starts at the left end
    EXPECT_FALSE(reversed.playToEnd);

    const PlayPlan atEnd = planPlayback({320, 320}, 6400, 320);
    EXPECT_TRUE(atEnd.restarted);
    EXPECT_EQ(atEnd.bytes, (ByteRange{0, 6400}));
    EXPECT_EQ(atEnd.playStartX, 0);
    EXPECT_EQ(atEnd.selection, (Selection{0, NoSelectionEnd}));
}

TEST(SampleMathTest, CursorAndRecordingLimit)
{
    EXPECT_EQ(cursorOffset(4000, 16000, 320), 160);
    EXPECT_EQ(cursorOffset(0, 0, 320), 0);
    EXPECT_FALSE(recordingMustStop(477599));
    EXPECT_TRUE(recordingMustStop(477600)); // 59.7 s
    EXPECT_LT(477600U * 2, MaxRecordBytes);
}

TEST(SampleMathTest, ClicksSnapToSamplesOfShortSounds)
{
    // 10 samples over 320 columns: 32 pixels per sample.
    EXPECT_EQ(snapToSample(47, 20, 320), 32);
    EXPECT_EQ(snapToSample(48, 20, 320), 64);
    EXPECT_EQ(snapToSample(5, 20, 320), 0);
    EXPECT_EQ(snapToSample(123, 16000, 320), 123); // more samples than columns: no snapping
    EXPECT_EQ(snapToSample(123, 0, 320), 0);
    EXPECT_EQ(dragEnd(50, 51), 50);
    EXPECT_EQ(dragEnd(50, 49), 50);
    EXPECT_EQ(dragEnd(50, 52), 52);

    // The same at 64 pixels per column: a sample narrower than a column is not snapped to, and
    // a drag within one column selects nothing.
    EXPECT_EQ(snapToSample(47 * 64, 20, 320 * 64, 64), 2048);
    EXPECT_EQ(snapToSample(123 * 64 + 5, 16000, 320 * 64, 64), 123 * 64 + 5);
    EXPECT_EQ(dragEnd(3200, 3264, 64), 3200);
    EXPECT_EQ(dragEnd(3200, 3136, 64), 3200);
    EXPECT_EQ(dragEnd(3200, 3265, 64), 3265);
}

TEST(SampleMathTest, TickStepAndLabelFormat)
{
    struct Case {
        std::uint32_t bytes;
        float step;
        const char *format;
    };
    const Case cases[] = {
        {480000, 5.0F, "%4.2f"},     {479998, 2.0F, "%4.2f"},      {192000, 2.0F, "%4.2f"},
        {191998, 1.0F, "%4.2f"},     {16000, 0.25F, "%4.2f"},      {800, 0.01F, "%4.2f"},
        {798, 0.005F, "%5.3f"},      {400, 0.005F, "%5.3f"},       {200, 0.0025F, "%6.4f"},
        {100, 0.00125F, "%7.5f"},    {50, 0.000625F, "%8.6f"},     {26, 0.0003125F, "%9.7f"},
        {13, 0.00015625F, "%10.8f"}, {12, 0.000078125F, "%11.9f"}, {0, 0.000078125F, "%11.9f"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(TickStep(c.bytes), c.step) << c.bytes;
        EXPECT_STREQ(LabelFormat(TickStep(c.bytes)), c.format) << c.bytes;
    }
}

} // namespace
} // namespace vorela
