// Recordings brought into the bank format: any file libsndfile reads (WAV of any PCM or float
// coding, FLAC, Ogg Vorbis, MP3), mixed down to one channel and resampled to 8000 Hz, 16 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

/// What a recording was before conversion, in words the operator reads, and what conversion
/// had to clip.
struct RecordingFormat {
    std::string container;      // "WAV", "FLAC", "Ogg", "MP3", ...
    std::string codec;          // "Vorbis", "ADPCM", ...; empty for plain samples and MP3
    std::uint16_t bits = 0;     // of a plain sample; 0 under a codec
    bool floatingPoint = false; // plain samples as floating-point numbers
    std::uint32_t sampleRate = 0;
    std::uint32_t channels = 0;
    std::size_t clippedSamples = 0; // beyond full scale once converted (float or resampled peaks)
};

/// Why a recording could not be converted.
enum class ConversionFault {
    Open,      // the file cannot be opened at all
    Unknown,   // no recording in a format we read, or its header is damaged
    Damaged,   // decoding failed part way
    Truncated, // the file ends before the sound its header announces
    Empty,     // not one sample
    Memory,
};

/// A recording in the bank format and what it was converted from.
struct ConvertedRecording {
    std::vector<std::int16_t> samples;
    RecordingFormat source;
};

/// Decodes file, averages its channels and resamples it at high quality to 8000 Hz mono 16-bit.
/// A sound already at 8000 Hz with 16-bit samples comes out sample for sample.
[[nodiscard]] std::optional<ConversionFault> convertRecording(const std::filesystem::path &file,
                                                              ConvertedRecording &out);

} // namespace vorela
