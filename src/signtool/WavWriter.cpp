// Plain WAV files in the bank's sound format.
#include "signtool/WavWriter.h"

#include "soundbank/ChunkId.h"
#include "soundbank/RiffChunks.h"
#include "soundbank/WaveFormat.h"

#include <bit>
#include <fstream>
#include <vector>

namespace vorela {

static void appendChunkHeader(std::vector<std::uint8_t> &out, const char *id, std::size_t size)
{
    const auto header = encodeChunkHeader(ChunkId::fromText(id), static_cast<std::uint32_t>(size));
    out.insert(out.end(), header.begin(), header.end());
}

bool writeWav(const std::filesystem::path &file, std::span<const std::int16_t> samples)
{
    static_assert(std::endian::native == std::endian::little, "samples are written as stored");
    const std::array<std::uint8_t, 16> format = WaveFormat::bankRecord();
    const std::size_t dataBytes = samples.size_bytes();
    if (dataBytes > 0xFFFFFFFFu - 36)
        return false;
    std::vector<std::uint8_t> header;
    appendChunkHeader(header, "RIFF",
                      4 + ChunkHeaderBytes + format.size() + ChunkHeaderBytes + dataBytes);
    header.insert(header.end(), {'W', 'A', 'V', 'E'});
    appendChunkHeader(header, "fmt ", format.size());
    header.insert(header.end(), format.begin(), format.end());
    appendChunkHeader(header, "data", dataBytes);
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char *>(header.data()),
                 static_cast<std::streamsize>(header.size()));
    stream.write(reinterpret_cast<const char *>(samples.data()),
                 static_cast<std::streamsize>(dataBytes));
    stream.close();
    return static_cast<bool>(stream);
}

} // namespace vorela
