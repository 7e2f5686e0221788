// Builds a rewritten bank in a temporary file from the old one and its new chunks.
#include "soundbank/BankSplice.h"

#include "platform/AtomicFileReplace.h"
#include "platform/BinaryFile.h"
#include "soundbank/RiffChunks.h"

#include <array>
#include <limits>

namespace vorela {

static constexpr std::uint64_t MaxRiffSize = std::numeric_limits<std::uint32_t>::max();

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

static std::uint64_t chunkBytes(const BankEdit &edit)
{
    return edit.id ? ChunkHeaderBytes + edit.data.size() : 0;
}

/// The length of the new bank, or none when the edits do not fit the old form in order.
static std::optional<std::uint64_t> editedLength(std::uint64_t formEnd,
                                                 std::span<const BankEdit> edits)
{
    std::uint64_t length = RiffHeaderBytes;
    std::uint64_t kept = RiffHeaderBytes; // first old byte not yet accounted for
    for (const BankEdit &edit : edits) {
        if (edit.cutFrom < kept || edit.cutFrom > edit.cutTo || edit.cutTo > formEnd ||
            edit.data.size() > MaxRiffSize)
            return std::nullopt;
        length = wordAligned(wordAligned(length + edit.cutFrom - kept) + chunkBytes(edit));
        kept = edit.cutTo;
        // Checked as it grows, so that no sum of many sounds can wrap around.
        if (length > MaxRiffSize)
            return std::nullopt;
    }
    return wordAligned(length + (formEnd - kept));
}

bool writeSplicedBank(AtomicFileReplace &out, const BinaryFile &bank, std::uint64_t formEnd,
                      std::span<const BankEdit> edits)
{
    const std::optional<std::uint64_t> newLength = editedLength(formEnd, edits);
    if (!newLength || *newLength - ChunkHeaderBytes > MaxRiffSize)
        return false;
    // Whatever size the old header claimed, the new one states exactly what was written.
    const std::array<std::uint8_t, 4> riff{'R', 'I', 'F', 'F'};
    if (!out.append(riff) ||
        !out.append(littleEndian32(static_cast<std::uint32_t>(*newLength - ChunkHeaderBytes))))
        return false;
    std::uint64_t kept = ChunkHeaderBytes;
    for (const BankEdit &edit : edits) {
        if (!out.appendFrom(bank, kept, edit.cutFrom - kept) || !padToWord(out))
            return false;
        kept = edit.cutTo;
        if (!edit.id)
            continue;
        const auto size = static_cast<std::uint32_t>(edit.data.size());
        if (!out.append(encodeChunkHeader(*edit.id, size)) || !out.append(edit.data) ||
            !padToWord(out))
            return false;
    }
    return out.appendFrom(bank, kept, formEnd - kept) && padToWord(out) &&
           out.written() == *newLength;
}

} // namespace vorela
