// The RIFF layout shared by banks and WAV files, read over plain file I/O.
#include "soundbank/RiffChunks.h"

#include "platform/BinaryFile.h"
#include "platform/ByteReader.h"

#include <algorithm>
#include <array>

namespace vorela {

static const ChunkId RiffId = ChunkId::fromText("RIFF");
static const ChunkId WaveType = ChunkId::fromText("WAVE");
static const ChunkId FormatId = ChunkId::fromText("fmt ");

static bool readId(ByteReader &reader, ChunkId &id)
{
    std::span<const std::uint8_t> bytes;
    if (!reader.readBytes(4, bytes))
        return false;
    id = ChunkId::fromBytes(bytes.first<4>());
    return true;
}

std::optional<RiffForm> readWaveForm(const BinaryFile &file, std::uint64_t fileSize)
{
    std::array<std::uint8_t, RiffHeaderBytes> header{};
    if (fileSize < RiffHeaderBytes || !file.readAt(0, header))
        return std::nullopt;
    ByteReader reader(header);
    ChunkId riff;
    ChunkId type;
    RiffForm form;
    if (!readId(reader, riff) || !reader.readU32le(form.declaredSize) || !readId(reader, type))
        return std::nullopt;
    if (riff != RiffId || type != WaveType)
        return std::nullopt;
    form.end = std::min<std::uint64_t>(ChunkHeaderBytes + form.declaredSize, fileSize);
    return form;
}

std::optional<ChunkHeader> readChunkHeader(const BinaryFile &file, std::uint64_t offset,
                                           std::uint64_t end)
{
    std::array<std::uint8_t, ChunkHeaderBytes> bytes{};
    if (offset > end || end - offset < ChunkHeaderBytes || !file.readAt(offset, bytes))
        return std::nullopt;
    ByteReader reader(bytes);
    ChunkHeader header;
    header.offset = offset;
    if (!readId(reader, header.id) || !reader.readU32le(header.size))
        return std::nullopt;
    return header;
}

std::optional<ChunkHeader> findChunk(const BinaryFile &file, const ChunkId &id, std::uint64_t from,
                                     std::uint64_t end)
{
    for (std::optional<ChunkHeader> header = readChunkHeader(file, from, end); header;
         header = readChunkHeader(file, header->next(), end)) {
        if (header->id == id)
            return header;
    }
    return std::nullopt;
}

std::vector<ChunkHeader> listChunks(const BinaryFile &file, std::uint64_t from, std::uint64_t end)
{
    std::vector<ChunkHeader> headers;
    for (std::optional<ChunkHeader> header = readChunkHeader(file, from, end);
         header && header->dataEnd() <= end; header = readChunkHeader(file, header->next(), end))
        headers.push_back(*header);
    return headers;
}

std::uint64_t endOfWholeChunks(const BinaryFile &file, std::uint64_t from, std::uint64_t end)
{
    const std::vector<ChunkHeader> chunks = listChunks(file, from, end);
    return chunks.empty() ? from : std::min(chunks.back().next(), end);
}

std::array<std::uint8_t, 4> littleEndian32(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::array<std::uint8_t, ChunkHeaderBytes> encodeChunkHeader(const ChunkId &id, std::uint32_t size)
{
    std::array<std::uint8_t, ChunkHeaderBytes> header{};
    std::copy(id.bytes().begin(), id.bytes().end(), header.begin());
    const std::array<std::uint8_t, 4> sizeBytes = littleEndian32(size);
    std::copy(sizeBytes.begin(), sizeBytes.end(), header.begin() + 4);
    return header;
}

bool readWaveLayout(const BinaryFile &file, WaveLayout &layout, WaveLayoutError &error)
{
    const std::optional<std::uint64_t> fileSize = file.size();
    const std::optional<RiffForm> form = fileSize ? readWaveForm(file, *fileSize) : std::nullopt;
    if (!form) {
        error = WaveLayoutError::NoForm;
        return false;
    }
    const std::optional<ChunkHeader> format = findChunk(file, FormatId, RiffHeaderBytes, form->end);
    if (!format) {
        error = WaveLayoutError::NoFormat;
        return false;
    }
    layout.form = *form;
    layout.format = *format;
    return true;
}

} // namespace vorela
