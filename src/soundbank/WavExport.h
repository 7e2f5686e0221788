// Writes a lexeme's sound as a plain WAV file in the bank's sound format.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vorela {

/// RIFF "WAVE" with a 16-byte "fmt " record (PCM, mono, 8000 Hz, 16-bit) and one "data" chunk.
/// The file appears whole or not at all; false leaves an existing file as it was.
[[nodiscard]] bool exportWav(const std::filesystem::path &file,
                             std::span<const std::int16_t> samples);

} // namespace vorela
