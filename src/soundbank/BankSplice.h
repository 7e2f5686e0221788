// Builds a rewritten bank in a temporary file: the old form with one byte range replaced by a new
// chunk (or by nothing), streamed so that the bank is never held in memory.
#pragma once

#include <cstdint>
#include <span>

namespace vorela {

class AtomicFileReplace;
class BinaryFile;

struct BankSplice {
    std::uint64_t formEnd = 0; // bytes of the old bank that are kept, at most
    std::uint64_t cutFrom = 0; // first byte replaced
    std::uint64_t cutTo = 0;   // first byte kept after the replaced range
};

/// Writes bank[0, cutFrom) + header + data + bank[cutTo, formEnd) to out, each part followed by a
/// pad byte when it ends on an odd offset, with the RIFF size set to the new length less 8. False
/// when a read or write fails or the result exceeds 4 GiB.
[[nodiscard]] bool writeSplicedBank(AtomicFileReplace &out, const BinaryFile &bank,
                                    const BankSplice &splice, std::span<const std::uint8_t> header,
                                    std::span<const std::uint8_t> data);

} // namespace vorela
