// The PCM format record of a "fmt " chunk.
#include "soundbank/WaveFormat.h"

#include "platform/ByteReader.h"

namespace vorela {

WaveFormat WaveFormat::fromRecord(std::span<const std::uint8_t> record)
{
    // A short record reads as if zero-filled, so a truncated one fails the format check.
    std::array<std::uint8_t, 16> whole{};
    for (std::size_t i = 0; i < whole.size() && i < record.size(); ++i)
        whole[i] = record[i];
    ByteReader reader(whole);
    WaveFormat format;
    (void)reader.readU16le(format.formatTag);
    (void)reader.readU16le(format.channels);
    (void)reader.readU32le(format.samplesPerSecond);
    (void)reader.readU32le(format.averageBytesPerSecond);
    (void)reader.readU16le(format.blockAlign);
    (void)reader.readU16le(format.bitsPerSample);
    return format;
}

std::array<std::uint8_t, 16> WaveFormat::bankRecord()
{
    return {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0};
}

bool WaveFormat::isBankFormat() const
{
    return formatTag == 1 && channels == 1 && samplesPerSecond == 8000 &&
           averageBytesPerSecond == BankBytesPerSecond && blockAlign == 2;
}

} // namespace vorela
