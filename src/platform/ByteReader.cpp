// Bounds-checked reading of untrusted bytes.
#include "platform/ByteReader.h"

namespace vorela {

bool ByteReader::readU8(std::uint8_t &out)
{
    if (remaining() < 1)
        return false;
    out = data[offset++];
    return true;
}

bool ByteReader::readU16le(std::uint16_t &out)
{
    if (remaining() < 2)
        return false;
    out = static_cast<std::uint16_t>(data[offset] | (data[offset + 1] << 8));
    offset += 2;
    return true;
}

bool ByteReader::readU32le(std::uint32_t &out)
{
    if (remaining() < 4)
        return false;
    out = static_cast<std::uint32_t>(data[offset]) |
          static_cast<std::uint32_t>(data[offset + 1]) << 8 |
          static_cast<std::uint32_t>(data[offset + 2]) << 16 |
          static_cast<std::uint32_t>(data[offset + 3]) << 24;
    offset += 4;
    return true;
}

bool ByteReader::readBytes(std::size_t count, std::span<const std::uint8_t> &out)
{
    if (remaining() < count)
        return false;
    out = data.subspan(offset, count);
    offset += count;
    return true;
}

bool ByteReader::skip(std::size_t count)
{
    if (remaining() < count)
        return false;
    offset += count;
    return true;
}

} // namespace vorela
