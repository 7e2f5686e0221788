// The sound check of a library: every lexeme's sound measured, and what stands out from the rest
// (loudness far from the library's median, clipping, long silence at an end, no sound at all).
#pragma once

#include "audio/Loudness.h"

#include <optional>
#include <string>
#include <vector>

namespace vorela {

class DataDirectory;
class RegistryStore;

/// How far (LU) a sound may lie from the library's median loudness before it is flagged.
inline constexpr double LoudnessSpread = 3.0;
/// The longest silence (seconds) a sound may have before or after it.
inline constexpr double SilenceLimit = 0.5;

struct LexemeSoundHealth {
    std::string chunkId; // four characters, as in the bank
    std::string path;    // of the first lexeme with this sound
    std::string text;    // that lexeme's text
    SoundMeasure measure;
    std::vector<std::string> reasons; // what stands out, in Russian; empty when nothing
};

struct SoundHealthReport {
    std::vector<LexemeSoundHealth> sounds; // in tree order, each chunk once
    std::optional<double> medianLoudness;  // of the sounds that are not silent
    std::string error;                     // why nothing was measured; empty when checked
    [[nodiscard]] bool ok() const { return error.empty(); }
    [[nodiscard]] bool clean() const;
};

/// What stands out in one measured sound against the library's median loudness.
[[nodiscard]] std::vector<std::string> soundProblems(const SoundMeasure &measure,
                                                     std::optional<double> medianLoudness);

/// Measures the sound of every lexeme of the store that has one in the product bank; reads the
/// store once (one snapshot) and the bank once; writes nothing.
[[nodiscard]] SoundHealthReport checkSounds(RegistryStore &store,
                                            const DataDirectory &dataDirectory);

} // namespace vorela
