// Bank and WAV files spelled out byte by byte for the tests, independent of the code under test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace vorela::test {

using Bytes = std::vector<std::uint8_t>;

inline void putU16(Bytes &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void putU32(Bytes &out, std::uint32_t value)
{
    putU16(out, static_cast<std::uint16_t>(value));
    putU16(out, static_cast<std::uint16_t>(value >> 16));
}

inline void putText(Bytes &out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

/// One chunk: id (raw bytes), declared size, data, and the RIFF pad byte when the size is odd.
inline Bytes chunk(std::string_view id, const Bytes &data)
{
    Bytes out;
    putText(out, id);
    putU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0)
        out.push_back(0);
    return out;
}

/// A format record: tag, channels, rate, bytes per second, block alignment, bits per sample.
inline Bytes formatRecord(std::uint16_t tag = 1, std::uint16_t channels = 1,
                          std::uint32_t rate = 8000, std::uint32_t bytesPerSecond = 16000,
                          std::uint16_t blockAlign = 2, std::uint16_t bits = 16)
{
    Bytes out;
    putU16(out, tag);
    putU16(out, channels);
    putU32(out, rate);
    putU32(out, bytesPerSecond);
    putU16(out, blockAlign);
    putU16(out, bits);
    return out;
}

/// "RIFF", the size of everything after it, "WAVE", then the chunks as given.
inline Bytes riffWave(const std::vector<Bytes> &chunks)
{
    Bytes body;
    putText(body, "WAVE");
    for (const Bytes &part : chunks)
        body.insert(body.end(), part.begin(), part.end());
    Bytes out;
    putText(out, "RIFF");
    putU32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

/// The bytes of count samples: value, value + 1, ... little-endian.
inline Bytes samples(std::size_t count, std::int16_t first = 100)
{
    Bytes out;
    for (std::size_t i = 0; i < count; ++i)
        putU16(out, static_cast<std::uint16_t>(first + static_cast<std::int16_t>(i)));
    return out;
}

/// The bytes of the samples, little-endian.
inline Bytes bytesOf(const std::vector<std::int16_t> &sound)
{
    Bytes bytes;
    for (const std::int16_t sample : sound)
        putU16(bytes, static_cast<std::uint16_t>(sample));
    return bytes;
}

/// The same samples as values: value, value + 1, ...
inline std::vector<std::int16_t> sampleValues(std::size_t count, std::int16_t first = 100)
{
    std::vector<std::int16_t> values;
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(static_cast<std::int16_t>(first + static_cast<std::int16_t>(i)));
    return values;
}

/// A bank: "fmt " with the bank format, then the sound chunks.
inline Bytes bank(const std::vector<Bytes> &soundChunks)
{
    std::vector<Bytes> chunks{chunk("fmt ", formatRecord())};
    chunks.insert(chunks.end(), soundChunks.begin(), soundChunks.end());
    return riffWave(chunks);
}

inline void writeFile(const std::filesystem::path &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline Bytes readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::uint32_t u32At(const Bytes &bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

inline void setU32At(Bytes &bytes, std::size_t offset, std::uint32_t value)
{
    Bytes encoded;
    putU32(encoded, value);
    std::copy(encoded.begin(), encoded.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

inline Bytes concat(const Bytes &a, const Bytes &b)
{
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

} // namespace vorela::test
