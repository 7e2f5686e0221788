// The RIFF layout shared by banks and WAV files: the "RIFF" "WAVE" form, chunk headers and the
// chunk search. Every size comes from the file and is checked before it is used.
#pragma once

#include "soundbank/ChunkId.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vorela {

class BinaryFile;

/// Length of a chunk header (id and data size) and of the RIFF header before the form's chunks.
inline constexpr std::uint64_t ChunkHeaderBytes = 8;
inline constexpr std::uint64_t RiffHeaderBytes = 12;

struct RiffForm {
    std::uint32_t declaredSize = 0; // the RIFF size field
    std::uint64_t end = 0;          // 8 + declaredSize, or the end of the file when that is shorter
};

struct ChunkHeader {
    ChunkId id;
    std::uint64_t offset = 0; // of the header
    std::uint32_t size = 0;   // of the data, as declared

    [[nodiscard]] std::uint64_t dataOffset() const { return offset + ChunkHeaderBytes; }
    [[nodiscard]] std::uint64_t dataEnd() const { return dataOffset() + size; }
    /// Where the next chunk starts: an odd-sized chunk is followed by a pad byte.
    [[nodiscard]] std::uint64_t next() const { return dataEnd() + (size & 1U); }
};

/// A form and its "fmt " chunk; chunk searches begin right after "fmt ".
struct WaveLayout {
    RiffForm form;
    ChunkHeader format;
    [[nodiscard]] std::uint64_t dataStart() const { return format.next(); }
};

enum class WaveLayoutError { NoForm, NoFormat };

/// The "RIFF" form of type "WAVE" at the start of the file; empty when there is none.
[[nodiscard]] std::optional<RiffForm> readWaveForm(const BinaryFile &file, std::uint64_t fileSize);

/// The chunk header at offset when it lies whole before end.
[[nodiscard]] std::optional<ChunkHeader> readChunkHeader(const BinaryFile &file,
                                                         std::uint64_t offset, std::uint64_t end);

/// The first chunk with that id from `from` up to end, stepping header to header.
[[nodiscard]] std::optional<ChunkHeader> findChunk(const BinaryFile &file, const ChunkId &id,
                                                   std::uint64_t from, std::uint64_t end);

/// Every whole chunk from `from` up to end, in file order. A chunk whose data runs past end is a
/// torn write: the walk stops there, and neither it nor anything after it is part of the form.
[[nodiscard]] std::vector<ChunkHeader> listChunks(const BinaryFile &file, std::uint64_t from,
                                                  std::uint64_t end);

/// Where the whole chunks from `from` end, the last one's pad byte included when end leaves room
/// for it (so the result is odd only when that pad byte is missing); the next chunk written
/// takes the place of whatever follows.
[[nodiscard]] std::uint64_t endOfWholeChunks(const BinaryFile &file, std::uint64_t from,
                                             std::uint64_t end);

/// The 8 header bytes of a chunk: its id and its data size, little-endian.
[[nodiscard]] std::array<std::uint8_t, ChunkHeaderBytes> encodeChunkHeader(const ChunkId &id,
                                                                           std::uint32_t size);

[[nodiscard]] std::array<std::uint8_t, 4> littleEndian32(std::uint32_t value);

/// Finds the form and its "fmt " chunk (which need not come first: WAV files may lead with "LIST").
[[nodiscard]] bool readWaveLayout(const BinaryFile &file, WaveLayout &layout,
                                  WaveLayoutError &error);

} // namespace vorela
