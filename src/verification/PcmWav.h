// WAV files in the bank's sound format (PCM, mono, 8000 Hz, 16-bit), read and written whole, for
// the commands that certify and check greeting phrases.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vorela {

/// The samples of a WAV file, or the reason it was refused (empty when read).
struct PcmWavContent {
    std::vector<std::int16_t> samples;
    std::string error;
};

/// Reads the "data" chunk of a RIFF "WAVE" file, stepping over other chunks and pad bytes; refuses
/// any other sound format and any size that runs past the end of the bytes.
[[nodiscard]] PcmWavContent parsePcmWav(std::span<const std::uint8_t> bytes);
[[nodiscard]] PcmWavContent readPcmWav(const std::filesystem::path &file);

/// Writes a plain 44-byte-header WAV file; false when it cannot be written completely.
[[nodiscard]] bool writePcmWav(const std::filesystem::path &file, std::span<const std::int16_t> samples);

} // namespace vorela
