// Builds a rewritten bank in a temporary file: the old form with byte ranges replaced by new
// chunks (or by nothing) and new chunks after it, streamed so that the bank is never held in memory.
#pragma once

#include "soundbank/ChunkId.h"

#include <cstdint>
#include <optional>
#include <span>

namespace vorela {

class AtomicFileReplace;
class BinaryFile;

/// One change of the old bank: bytes [cutFrom, cutTo) give way to the chunk id + data, or to
/// nothing when there is no id. cutFrom == cutTo == the form's end appends the chunk.
struct BankEdit {
    std::uint64_t cutFrom = 0;
    std::uint64_t cutTo = 0;
    std::optional<ChunkId> id;
    std::span<const std::uint8_t> data;
};

/// Writes bank[0, formEnd) with the edits (in file order, not overlapping) applied to out, each
/// part followed by a pad byte when it ends on an odd offset, with the RIFF size set to the new
/// length less 8. False when a read or write fails, the edits are out of order or the result
/// exceeds 4 GiB.
[[nodiscard]] bool writeSplicedBank(AtomicFileReplace &out, const BinaryFile &bank,
                                    std::uint64_t formEnd, std::span<const BankEdit> edits);

} // namespace vorela
