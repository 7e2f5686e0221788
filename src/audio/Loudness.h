// Loudness of one lexeme's sound and the gain that brings it to the library's loudness, so that
// the words of a message joined from many recordings sound equally loud.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

struct SoundMeasure {
    double seconds = 0;
    std::optional<double> loudness; // LUFS (EBU R128 integrated); none for near silence
    double truePeak = 0;            // dBTP; minus infinity for digital silence
    std::size_t clippedSamples = 0; // at full scale (+32767 / -32768)
    double leadingSilence = 0;      // seconds
    double trailingSilence = 0;     // seconds
};

/// Measures with libebur128; nullopt only when the library fails.
[[nodiscard]] std::optional<SoundMeasure> measureSound(std::span<const std::int16_t> samples);

/// The one loudness of the whole library (LUFS). Speech at -20 LUFS keeps its peaks a few dB under
/// full scale and stays well above the noise of a phone line.
inline constexpr double LibraryLoudness = -20.0;
/// The highest true peak a levelled sound may have (dBTP).
inline constexpr double LevelledPeakLimit = -1.0;

/// The gain in dB that brings the sound to LibraryLoudness with its true peak at most -1 dBTP;
/// nullopt for a silent sound.
[[nodiscard]] std::optional<double> levellingGain(const SoundMeasure &measure);

/// True when the true-peak limit keeps levelling short of LibraryLoudness; false for silence.
[[nodiscard]] bool stopsAtPeakLimit(const SoundMeasure &measure);

/// The samples times the gain, rounded and saturated.
[[nodiscard]] std::vector<std::int16_t> withGain(std::span<const std::int16_t> samples,
                                                 double gainDb);

} // namespace vorela
