// Bounds-checked reading of untrusted bytes (banks, WAV files, key blobs, tables): every read says
// whether the bytes were there, and nothing is ever read past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vorela {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : data(bytes) {}

    [[nodiscard]] std::size_t position() const { return offset; }
    [[nodiscard]] std::size_t remaining() const { return data.size() - offset; }
    [[nodiscard]] bool atEnd() const { return offset == data.size(); }

    /// Each read returns false at the end, leaving the position and out as they were.
    [[nodiscard]] bool readU8(std::uint8_t &out);
    [[nodiscard]] bool readU16le(std::uint16_t &out);
    [[nodiscard]] bool readU32le(std::uint32_t &out);
    /// The next count bytes as a view into the reader's data.
    [[nodiscard]] bool readBytes(std::size_t count, std::span<const std::uint8_t> &out);
    [[nodiscard]] bool skip(std::size_t count);

private:
    std::span<const std::uint8_t> data;
    std::size_t offset = 0;
};

} // namespace vorela
