// Pixel and byte arithmetic of the sound editor. Products are taken in 64 bits: a sound of
// several minutes times a pixel position does not fit 32 bits.
#include "audio/SampleMath.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vorela {

int rescaledPixel(int x, int viewWidth, int newWidth)
{
    if (x >= NoSelectionEnd || viewWidth <= 0)
        return x;
    const std::int64_t scaled = (std::int64_t(x) * newWidth * 2 + viewWidth) / (2 * viewWidth);
    return static_cast<int>(scaled);
}

Selection rescaled(const Selection &selection, int viewWidth, int newWidth)
{
    return {rescaledPixel(selection.markerX, viewWidth, newWidth),
            rescaledPixel(selection.selectionEndX, viewWidth, newWidth)};
}

std::uint32_t byteAtPixel(int x, std::uint32_t soundSize, int viewWidth)
{
    if (x <= 0 || viewWidth <= 0)
        return 0;
    if (x >= viewWidth)
        return soundSize;
    const std::uint64_t byte = std::uint64_t(x) * soundSize / std::uint64_t(viewWidth);
    return static_cast<std::uint32_t>(byte);
}

bool isMarkerOnly(const Selection &selection)
{
    if (std::abs(selection.selectionEndX - selection.markerX) < 1)
        return true;
    return selection.markerX < selection.selectionEndX && selection.selectionEndX == NoSelectionEnd;
}

bool isReversed(const Selection &selection)
{
    return selection.markerX > selection.selectionEndX;
}

ByteRange bytesBetween(int a, int b, std::uint32_t soundSize, int viewWidth)
{
    const int left = a < b ? a : b;
    const int right = a < b ? b : a;
    return {makeEven(byteAtPixel(left, soundSize, viewWidth)),
            makeEven(byteAtPixel(right, soundSize, viewWidth))};
}

ByteRange selectedBytes(const Selection &selection, std::uint32_t soundSize, int viewWidth)
{
    if (isMarkerOnly(selection))
        return {};
    return bytesBetween(selection.markerX, selection.selectionEndX, soundSize, viewWidth);
}

ByteRange recordTarget(const Selection &selection, std::uint32_t soundSize, int viewWidth)
{
    if (isMarkerOnly(selection)) {
        const std::uint32_t at = makeEven(byteAtPixel(selection.markerX, soundSize, viewWidth));
        return {at, at};
    }
    return bytesBetween(selection.markerX, selection.selectionEndX, soundSize, viewWidth);
}

static void choosePlayRange(PlayPlan &plan, std::uint32_t soundSize, int viewWidth)
{
    const Selection &selection = plan.selection;
    if (isMarkerOnly(selection)) {
        plan.playToEnd = true;
        plan.bytes = {makeEven(byteAtPixel(selection.markerX, soundSize, viewWidth)), soundSize};
        return;
    }
    plan.playToEnd = false;
    plan.bytes = bytesBetween(selection.markerX, selection.selectionEndX, soundSize, viewWidth);
    if (isReversed(selection))
        plan.playStartX = selection.selectionEndX;
}

PlayPlan planPlayback(const Selection &selection, std::uint32_t soundSize, int viewWidth)
{
    PlayPlan plan;
    plan.selection = selection;
    plan.playStartX = selection.markerX;
    choosePlayRange(plan, soundSize, viewWidth);
    if (!plan.bytes.empty())
        return plan;
    // The marker stood at the end (or the selection covered no whole sample): play it all.
    plan.restarted = true;
    plan.playStartX = 0;
    plan.selection = {0, NoSelectionEnd};
    choosePlayRange(plan, soundSize, viewWidth);
    return plan;
}

int cursorOffset(std::uint64_t playedSamples, std::uint32_t soundSize, int viewWidth)
{
    if (soundSize == 0 || viewWidth <= 0)
        return 0;
    return static_cast<int>(playedSamples * std::uint64_t(viewWidth) * 2 / soundSize);
}

int dragEnd(int markerX, int x, int pixelsPerColumn)
{
    return std::abs(x - markerX) <= pixelsPerColumn ? markerX : x;
}

int snapToSample(int x, std::uint32_t soundSize, int viewWidth, int pixelsPerColumn)
{
    if (soundSize == 0)
        return 0;
    const float pixelsPerSample = static_cast<float>(viewWidth * 2.0 / soundSize);
    if (pixelsPerSample <= static_cast<float>(pixelsPerColumn))
        return x;
    const float samples = std::floor(static_cast<float>(x) / pixelsPerSample + 0.5F);
    return static_cast<int>(samples * pixelsPerSample);
}

float TickStep(std::uint32_t soundSize)
{
    struct Row {
        double minBytes;
        float step;
    };
    static constexpr std::array<Row, 15> Rows{{{480000, 5.0F},
                                               {192000, 2.0F},
                                               {96000, 1.0F},
                                               {32000, 0.5F},
                                               {16000, 0.25F},
                                               {8000, 0.1F},
                                               {4000, 0.05F},
                                               {1600, 0.02F},
                                               {800, 0.01F},
                                               {400, 0.005F},
                                               {200, 0.0025F},
                                               {100, 0.00125F},
                                               {50, 0.000625F},
                                               {25, 0.0003125F},
                                               {12.5, 0.00015625F}}};
    for (const Row &row : Rows) {
        if (soundSize >= row.minBytes)
            return row.step;
    }
    return 0.000078125F;
}

const char *LabelFormat(float step)
{
    // Compared in double: the float nearest 0.005 lies just below it and takes "%5.3f".
    const double value = step;
    if (value <= 7.8125e-05)
        return "%11.9f";
    if (value <= 0.00015625)
        return "%10.8f";
    if (value <= 0.0003125)
        return "%9.7f";
    if (value <= 0.000625)
        return "%8.6f";
    if (value <= 0.00125)
        return "%7.5f";
    if (value <= 0.0025)
        return "%6.4f";
    if (value <= 0.005)
        return "%5.3f";
    return "%4.2f";
}

std::string formatNumber(const char *format, double value)
{
    std::array<char, 64> text{};
    const int length = std::snprintf(text.data(), text.size(), format, value);
    if (length < 0)
        return {};
    return std::string(text.data());
}

double soundSeconds(std::uint32_t soundSize)
{
    return soundSize * 1.25 / 20000;
}

double pixelSeconds(int x, std::uint32_t soundSize, int viewWidth)
{
    if (viewWidth <= 0)
        return 0.0;
    return double(soundSize) * x / viewWidth / double(BytesPerSecond);
}

bool recordingMustStop(std::uint64_t recordedSamples)
{
    return recordedSamples * 1.25 / 10000 >= RecordLimitSeconds;
}

} // namespace vorela
