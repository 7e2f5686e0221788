// Builds a rewritten bank in a temporary file from the old one and a new chunk.
#include "soundbank/BankSplice.h"

#include "platform/AtomicFileReplace.h"
#include "platform/BinaryFile.h"
#include "soundbank/RiffChunks.h"

#include <array>
#include <limits>

namespace vorela {

// RIFF chunks start on even offsets: an odd-sized chunk is followed by a zero pad byte.
static std::uint64_t wordAligned(std::uint64_t offset)
{
    return offset + (offset & 1U);
}

static bool padToWord(AtomicFileReplace &out)
{
    static constexpr std::array<std::uint8_t, 1> Pad{0};
    return (out.written() & 1U) == 0 || out.append(Pad);
}

bool writeSplicedBank(AtomicFileReplace &out, const BinaryFile &bank, const BankSplice &splice,
                      std::span<const std::uint8_t> header, std::span<const std::uint8_t> data)
{
    if (splice.cutFrom < RiffHeaderBytes || splice.cutFrom > splice.cutTo ||
        splice.cutTo > splice.formEnd)
        return false;
    const std::uint64_t newLength =
        wordAligned(wordAligned(wordAligned(splice.cutFrom) + header.size() + data.size()) +
                    (splice.formEnd - splice.cutTo));
    if (newLength - ChunkHeaderBytes > std::numeric_limits<std::uint32_t>::max())
        return false;
    // Whatever size the old header claimed, the new one states exactly what was written.
    const std::array<std::uint8_t, 4> riff{'R', 'I', 'F', 'F'};
    const std::array<std::uint8_t, 4> riffSize =
        littleEndian32(static_cast<std::uint32_t>(newLength - ChunkHeaderBytes));
    return out.append(riff) && out.append(riffSize) &&
           out.appendFrom(bank, ChunkHeaderBytes, splice.cutFrom - ChunkHeaderBytes) &&
           padToWord(out) && out.append(header) && out.append(data) && padToWord(out) &&
           out.appendFrom(bank, splice.cutTo, splice.formEnd - splice.cutTo) && padToWord(out) &&
           out.written() == newLength;
}

} // namespace vorela
