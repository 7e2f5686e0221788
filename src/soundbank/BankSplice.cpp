// Builds a rewritten bank in a temporary file from the old one and a new chunk.
#include "soundbank/BankSplice.h"

#include "platform/AtomicFileReplace.h"
#include "platform/BinaryFile.h"
#include "soundbank/RiffChunks.h"

#include <array>
#include <limits>

namespace vorela {

bool writeSplicedBank(AtomicFileReplace &out, const BinaryFile &bank, const BankSplice &splice,
                      std::span<const std::uint8_t> header, std::span<const std::uint8_t> data)
{
    if (splice.cutFrom < RiffHeaderBytes || splice.cutFrom > splice.cutTo ||
        splice.cutTo > splice.formEnd)
        return false;
    const std::uint64_t newLength =
        splice.cutFrom + header.size() + data.size() + (splice.formEnd - splice.cutTo);
    if (newLength - ChunkHeaderBytes > std::numeric_limits<std::uint32_t>::max())
        return false;
    // Whatever size the old header claimed, the new one states exactly what was written.
    const std::array<std::uint8_t, 4> riff{'R', 'I', 'F', 'F'};
    const std::array<std::uint8_t, 4> riffSize =
        littleEndian32(static_cast<std::uint32_t>(newLength - ChunkHeaderBytes));
    return out.append(riff) && out.append(riffSize) &&
           out.appendFrom(bank, ChunkHeaderBytes, splice.cutFrom - ChunkHeaderBytes) &&
           out.append(header) && out.append(data) &&
           out.appendFrom(bank, splice.cutTo, splice.formEnd - splice.cutTo) &&
           out.written() == newLength;
}

} // namespace vorela
