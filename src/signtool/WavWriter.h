// Writes a certified sound as a plain WAV file in the bank's sound format.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vorela {

/// A 44-byte header (PCM, mono, 8000 Hz, 16-bit) and the samples; false when it cannot be written
/// completely.
[[nodiscard]] bool writeWav(const std::filesystem::path &file,
                            std::span<const std::int16_t> samples);

} // namespace vorela
