// Arithmetic of the sound editor on pixels and bytes: which bytes a selection covers, where a
// click lands, the ruler step and the number format of every time the editor shows.
#pragma once

#include <cstdint>
#include <string>

namespace vorela {

/// selectionEndX when only the marker is set: beyond the selection width of any screen.
inline constexpr int NoSelectionEnd = 1 << 30;
/// cursorX when no playback cursor is drawn.
inline constexpr int NoCursor = 1 << 30;
inline constexpr std::uint32_t BytesPerSecond = 16000;
inline constexpr int SampleRate = 8000;
/// One recording captures at most 60 s and stops itself a little earlier.
inline constexpr std::uint32_t MaxRecordBytes = 960000;
inline constexpr double RecordLimitSeconds = 59.7;

/// A half-open byte range [start, end) of the sound; both ends even.
struct ByteRange {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    [[nodiscard]] bool empty() const { return start >= end; }
    [[nodiscard]] std::uint32_t size() const { return end > start ? end - start : 0; }
    bool operator==(const ByteRange &) const = default;
};

/// The marker and the other end of the selection, in pixels of the waveform.
struct Selection {
    int markerX = 0;
    int selectionEndX = NoSelectionEnd;
    bool operator==(const Selection &) const = default;
};

/// Pixel x of a view viewWidth wide in a view newWidth wide, rounded; NoSelectionEnd and
/// NoCursor stay as they are.
[[nodiscard]] int rescaledPixel(int x, int viewWidth, int newWidth);
[[nodiscard]] Selection rescaled(const Selection &selection, int viewWidth, int newWidth);

/// Byte of the sound that pixel x stands for (x * soundSize / viewWidth, truncated).
[[nodiscard]] std::uint32_t byteAtPixel(int x, std::uint32_t soundSize, int viewWidth);
/// An odd byte offset rounded up to the next sample boundary.
[[nodiscard]] constexpr std::uint32_t makeEven(std::uint32_t offset)
{
    return offset + (offset & 1U);
}

/// True when no range is selected: the ends are less than a pixel apart, or only the marker is set.
[[nodiscard]] bool isMarkerOnly(const Selection &selection);
/// True when the selection was dragged from right to left.
[[nodiscard]] bool isReversed(const Selection &selection);
/// Bytes between the two ends, ordered and made even; no check that a range is selected.
[[nodiscard]] ByteRange bytesBetween(int a, int b, std::uint32_t soundSize, int viewWidth);
/// Bytes a cut, crop or gain works on; empty when only the marker is set.
[[nodiscard]] ByteRange selectedBytes(const Selection &selection, std::uint32_t soundSize,
                                      int viewWidth);
/// Bytes a recording replaces (an empty range at the marker when only the marker is set).
[[nodiscard]] ByteRange recordTarget(const Selection &selection, std::uint32_t soundSize,
                                     int viewWidth);

/// What a press of play plays, and where the selection stands afterwards.
struct PlayPlan {
    ByteRange bytes;
    int playStartX = 0;
    bool playToEnd = false;
    /// The marker stood at the end: the selection was reset and the whole sound plays.
    bool restarted = false;
    Selection selection;
};
/// Plays from the marker to the end, or the selection in either direction; an empty choice
/// restarts from the beginning. soundSize must be above 0.
[[nodiscard]] PlayPlan planPlayback(const Selection &selection, std::uint32_t soundSize,
                                    int viewWidth);

/// Pixel offset of the playback cursor from its start after playedSamples samples.
[[nodiscard]] int cursorOffset(std::uint64_t playedSamples, std::uint32_t soundSize, int viewWidth);

/// Where a drag from markerX to x ends: a drag of one screen column (pixelsPerColumn pixels)
/// selects nothing.
[[nodiscard]] int dragEnd(int markerX, int x, int pixelsPerColumn = 1);

/// A click at x snapped to the nearest sample boundary when a sample is wider than a screen
/// column of pixelsPerColumn pixels; 0 for an empty sound.
[[nodiscard]] int snapToSample(int x, std::uint32_t soundSize, int viewWidth,
                               int pixelsPerColumn = 1);

/// Seconds between labelled ruler ticks for a sound of soundSize bytes.
[[nodiscard]] float TickStep(std::uint32_t soundSize);
/// printf format of the ruler labels and every time shown for this step.
[[nodiscard]] const char *LabelFormat(float step);
/// value printed with a printf format taking one double.
[[nodiscard]] std::string formatNumber(const char *format, double value);

/// Length of a sound in seconds, as the ruler and the status line compute it.
[[nodiscard]] double soundSeconds(std::uint32_t soundSize);
/// Seconds of the sound at pixel x.
[[nodiscard]] double pixelSeconds(int x, std::uint32_t soundSize, int viewWidth);

/// True when a recording of recordedSamples must stop itself.
[[nodiscard]] bool recordingMustStop(std::uint64_t recordedSamples);

} // namespace vorela
