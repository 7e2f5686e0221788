// Writes a lexeme's sound as a plain WAV file.
#include "soundbank/WavExport.h"

#include "platform/AtomicFileReplace.h"
#include "soundbank/RiffChunks.h"
#include "soundbank/WaveFormat.h"

#include <array>
#include <bit>
#include <limits>

namespace vorela {

bool exportWav(const std::filesystem::path &file, std::span<const std::int16_t> samples)
{
    static_assert(std::endian::native == std::endian::little, "samples are written as stored");
    const std::array<std::uint8_t, 16> format = WaveFormat::bankRecord();
    const std::uint64_t dataBytes = samples.size_bytes();
    const std::uint64_t riffSize =
        4 + ChunkHeaderBytes + format.size() + ChunkHeaderBytes + dataBytes;
    if (riffSize > std::numeric_limits<std::uint32_t>::max())
        return false;
    const std::array<std::uint8_t, 4> waveType{'W', 'A', 'V', 'E'};
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t *>(samples.data()),
                                             samples.size_bytes());
    AtomicFileReplace replace(file);
    return replace.create() &&
           replace.append(encodeChunkHeader(ChunkId::fromText("RIFF"),
                                            static_cast<std::uint32_t>(riffSize))) &&
           replace.append(waveType) &&
           replace.append(encodeChunkHeader(ChunkId::fromText("fmt "), format.size())) &&
           replace.append(format) &&
           replace.append(encodeChunkHeader(ChunkId::fromText("data"),
                                            static_cast<std::uint32_t>(dataBytes))) &&
           replace.append(data) && replace.commit();
}

} // namespace vorela
