// Where the sound of a recording begins and ends: the silence before and after it, as a phone
// line hears it, is what "Обрезать тишину" removes and what the sound check reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vorela {

/// Samples [first, first + count) of a sound.
struct SampleRange {
    std::size_t first = 0;
    std::size_t count = 0;
    bool operator==(const SampleRange &) const = default;
};

/// The samples from the first to the last 10 ms frame above the silence threshold, without margin;
/// count 0 for a silent or empty sound.
[[nodiscard]] SampleRange audibleSpan(std::span<const std::int16_t> samples);

/// True when no 10 ms frame rises above the noise of the last bits: digital silence or near it.
/// A quiet word is not silence, even where audibleSpan finds nothing above its floor.
[[nodiscard]] bool isNearSilence(std::span<const std::int16_t> samples);

/// The samples from the first to the last 10 ms frame within withinDb of the loudest frame; count
/// 0 for an empty or digitally silent sound. A gain applied to the sound does not move it.
[[nodiscard]] SampleRange loudPart(std::span<const std::int16_t> samples, double withinDb);

/// The part of the sound to keep: from the first to the last sample above the silence
/// threshold, with a small margin each side; count 0 for a silent or empty sound.
[[nodiscard]] SampleRange soundWithoutSilence(std::span<const std::int16_t> samples);

} // namespace vorela
