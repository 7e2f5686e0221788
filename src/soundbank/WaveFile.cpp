// One open bank file: chunk search, read and in-place append.
#include "soundbank/WaveFile.h"

#include "platform/FileFaults.h"

#include <algorithm>
#include <limits>
#include <new>

namespace vorela {

bool WaveFile::Open(const std::filesystem::path &fileName)
{
    Close();
    // "currency.awf" is read-only: it opens for reading, and only appends to it fail.
    if (!file.open(fileName, BinaryFile::Access::ReadWrite, fileFaults) &&
        !file.open(fileName, BinaryFile::Access::Read, fileFaults))
        return false;
    WaveLayoutError error{};
    const std::optional<std::uint64_t> fileSize = file.size();
    if (!fileSize || !readWaveLayout(file, layout, error) || layout.format.dataEnd() > *fileSize) {
        Close();
        return false;
    }
    // Longer format bodies exist only outside our banks; their first 20 bytes are the record.
    formatSize = std::min<std::uint32_t>(layout.format.size, format.size());
    format.fill(0);
    if (!file.readAt(layout.format.dataOffset(), std::span(format).first(formatSize))) {
        Close();
        return false;
    }
    chunksEnd = endOfWholeChunks(file, layout.dataStart(), layout.form.end);
    return true;
}

bool WaveFile::HasChunk(std::string_view id) const
{
    return isOpen() && findChunk(file, ChunkId::fromText(id), layout.dataStart(), chunksEnd);
}

bool WaveFile::ReadChunk(std::string_view id, std::vector<std::uint8_t> &buffer) const
{
    if (!isOpen())
        return false;
    const std::optional<ChunkHeader> chunk =
        findChunk(file, ChunkId::fromText(id), layout.dataStart(), chunksEnd);
    if (!chunk || chunk->size == 0)
        return true;
    const std::size_t oldSize = buffer.size();
    try {
        buffer.resize(oldSize + chunk->size);
    } catch (const std::bad_alloc &) {
        return false;
    }
    if (!file.readAt(chunk->dataOffset(), std::span(buffer).subspan(oldSize))) {
        buffer.resize(oldSize);
        return false;
    }
    return true;
}

bool WaveFile::AppendChunk(std::string_view id, std::span<const std::uint8_t> data)
{
    if (!isOpen())
        return false;
    // An odd end means the last chunk's pad byte is missing: it goes in first.
    const std::uint64_t at = chunksEnd + (chunksEnd & 1U);
    const std::uint64_t padding = data.size() & 1U;
    const std::uint64_t newEnd = at + ChunkHeaderBytes + data.size() + padding;
    if (newEnd - ChunkHeaderBytes > std::numeric_limits<std::uint32_t>::max())
        return false;
    const auto header =
        encodeChunkHeader(ChunkId::fromText(id), static_cast<std::uint32_t>(data.size()));
    const std::array<std::uint8_t, 1> pad{0};
    // The data is on disk before the RIFF size claims it, so a crash never exposes a torn chunk.
    if ((at != chunksEnd && !file.writeAt(chunksEnd, pad)) || !file.writeAt(at, header) ||
        !file.writeAt(at + ChunkHeaderBytes, data) ||
        (padding != 0 && !file.writeAt(at + ChunkHeaderBytes + data.size(), pad)) ||
        !file.truncate(newEnd) || !file.sync())
        return false;
    const auto riffSize = static_cast<std::uint32_t>(newEnd - ChunkHeaderBytes);
    if (!file.writeAt(4, littleEndian32(riffSize)) || !file.sync())
        return false;
    layout.form.declaredSize = riffSize;
    layout.form.end = newEnd;
    chunksEnd = newEnd;
    return true;
}

bool WaveFile::Close()
{
    file.close();
    return true;
}

std::span<const std::uint8_t> WaveFile::formatRecord() const
{
    return std::span(format).first(formatSize);
}

std::vector<ChunkHeader> WaveFile::chunks() const
{
    if (!isOpen())
        return {};
    return listChunks(file, layout.dataStart(), chunksEnd);
}

} // namespace vorela
