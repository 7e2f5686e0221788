// Status line texts. Every time uses the number format of the sound's ruler step.
#include "soundeditor/StatusText.h"

#include "audio/Loudness.h"

#include <algorithm>
#include <cstdlib>

namespace vorela {

static const std::string ZeroStart = "Начало: 0.0 сек.";
static const std::string ZeroLength = "Длина: 0.0 сек.";

static const char *secondsFormat(std::uint32_t soundSize)
{
    return LabelFormat(TickStep(soundSize));
}

static std::string lengthText(double seconds, std::uint32_t soundSize)
{
    return "Длина: " + formatNumber(secondsFormat(soundSize), seconds) + " сек.";
}

StatusPanes startText(int markerX, bool zeroStart, std::uint32_t soundSize, int viewWidth)
{
    StatusPanes panes;
    const double seconds = pixelSeconds(markerX, soundSize, viewWidth);
    if (zeroStart || seconds == 0.0)
        panes.start = ZeroStart;
    else
        panes.start = "Начало: " + formatNumber(secondsFormat(soundSize), seconds) + " сек.";
    panes.length = soundSize == 0 ? ZeroLength : lengthText(soundSeconds(soundSize), soundSize);
    return panes;
}

StatusPanes selectionText(const Selection &selection, std::uint32_t soundSize, int viewWidth)
{
    const int width = std::abs(selection.selectionEndX - selection.markerX);
    if (width <= 1)
        return startText(selection.markerX, selection.markerX == 0, soundSize, viewWidth);
    const int left = std::min(selection.markerX, selection.selectionEndX);
    const int right = std::max(selection.markerX, selection.selectionEndX);
    const char *format = secondsFormat(soundSize);
    const double from = pixelSeconds(left, soundSize, viewWidth);
    const double to = pixelSeconds(right, soundSize, viewWidth);
    StatusPanes panes;
    panes.start = "Выделено: " + formatNumber(from == 0.0 ? "%3.1f" : format, from) + " - " +
                  formatNumber(format, to) + " сек.";
    panes.length =
        from == to ? ZeroLength : lengthText(pixelSeconds(width, soundSize, viewWidth), soundSize);
    return panes;
}

std::string playbackText(int cursorPixel, std::uint32_t soundSize, int viewWidth)
{
    return "Воспроизведение: " +
           formatNumber(secondsFormat(soundSize), pixelSeconds(cursorPixel, soundSize, viewWidth)) +
           " сек.";
}

std::string playedLengthText(const Selection &selection, std::uint32_t soundSize, int viewWidth)
{
    if (selection.selectionEndX == NoSelectionEnd)
        return lengthText(soundSeconds(soundSize), soundSize);
    const int width = std::abs(selection.markerX - selection.selectionEndX);
    return lengthText(pixelSeconds(width, soundSize, viewWidth), soundSize);
}

std::string recordingText(std::uint64_t recordedSamples)
{
    return formatNumber("Запись: %4.1f сек.", recordedSamples * 1.25 / 10000);
}

std::string gainText(int gainSteps)
{
    return formatNumber("%+7.2f%%", gainSteps * 100 * 0.0625);
}

std::string peakLimitText(double reachedLoudness)
{
    return "Громкость выровнена только до " + formatNumber("%.1f", reachedLoudness) +
           " LUFS, а не до " + formatNumber("%.0f", LibraryLoudness) +
           " LUFS: громче пики звука превысили бы " + formatNumber("%.0f", LevelledPeakLimit) +
           " dBTP.";
}

} // namespace vorela
