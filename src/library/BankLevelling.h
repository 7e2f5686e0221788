// Bringing the sounds of the product bank to the library's one loudness: what each chunk needs,
// worked out before the bank is touched, so that a refusal changes nothing.
#pragma once

#include "soundbank/SoundBank.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorela {

enum class LevelOutcome {
    Levelled,     ///< gainDb applied
    AlreadyLevel, ///< within LevelTolerance of where levelling would bring it
    Silent,       ///< nothing to measure: empty or silence
    Greeting,     ///< the greeting phrase: its certificate covers its samples
};

/// Gains smaller than this (dB) leave a chunk as it is: levelling twice changes nothing.
inline constexpr double LevelTolerance = 0.1;

struct ChunkLevelling {
    std::string chunkId;
    LevelOutcome outcome = LevelOutcome::Silent;
    std::optional<double> loudness; // LUFS before levelling
    double gainDb = 0;
    bool peakLimited = false; // the true-peak limit keeps it short of LibraryLoudness
};

struct LevellingPlan {
    std::vector<ChunkLevelling> chunks;         // in the order asked (bank order for all)
    std::vector<SoundReplacement> replacements; // the levelled sounds, for one rewrite
    std::string error;                          // why nothing can be done; empty when planned
    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Measures the chunks chunkIds of the bank (every chunk when empty, the greeting phrase left as
/// it is) and levels the ones that need it. Naming the greeting phrase, a chunk the bank lacks or
/// an unreadable bank is an error. Reads the bank only.
[[nodiscard]] LevellingPlan planLevelling(const std::filesystem::path &bank,
                                          std::span<const std::string> chunkIds);

} // namespace vorela
