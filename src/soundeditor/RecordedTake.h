// A fresh recording made ready to keep: its silence cut off and its loudness levelled.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

/// Whether a take is brought to the library's loudness.
enum class Levelling { Off, On };

/// The recording without its leading and trailing silence, levelled when asked; nothing when it
/// holds only silence, which is never worth saving.
[[nodiscard]] std::optional<std::vector<std::int16_t>>
preparedTake(std::span<const std::int16_t> recorded, Levelling levelling);

} // namespace vorela
