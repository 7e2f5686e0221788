// The texts of the sound editor's status line: positions, lengths, playback and recording times,
// the gain of an open adjustment, and where levelling stopped.
#pragma once

#include "audio/SampleMath.h"

#include <cstdint>
#include <string>

namespace vorela {

/// Panes 0 and 1 of the status line.
struct StatusPanes {
    std::string start;
    std::string length;
    bool operator==(const StatusPanes &) const = default;
};

/// Marker position and sound length; zeroStart shows the marker at the start whatever it is.
[[nodiscard]] StatusPanes startText(int markerX, bool zeroStart, std::uint32_t soundSize,
                                    int viewWidth);
/// The selected interval and its length; the start text when less than two pixels are selected.
[[nodiscard]] StatusPanes selectionText(const Selection &selection, std::uint32_t soundSize,
                                        int viewWidth);
/// Pane 1 while playing: the time under the playback cursor.
[[nodiscard]] std::string playbackText(int cursorPixel, std::uint32_t soundSize, int viewWidth);
/// Pane 1 after a playback: the whole length, or the selected length.
[[nodiscard]] std::string playedLengthText(const Selection &selection, std::uint32_t soundSize,
                                           int viewWidth);
/// Pane 1 while recording.
[[nodiscard]] std::string recordingText(std::uint64_t recordedSamples);
/// Pane 2 of an open gain adjustment: the change in percent.
[[nodiscard]] std::string gainText(int gainSteps);
/// The note after levelling that the true-peak limit stopped at reachedLoudness (LUFS), short
/// of the library's loudness.
[[nodiscard]] std::string peakLimitText(double reachedLoudness);

} // namespace vorela
