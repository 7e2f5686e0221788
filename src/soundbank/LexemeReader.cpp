#include "soundbank/LexemeReader.h"

#include "platform/BinaryFile.h"
#include "soundbank/RiffChunks.h"
#include "stores/ChunkIds.h"

#include <optional>
#include <span>

namespace vorela {

// Reads the format record whole; false when it runs past the end of the file.
static bool readFormatRecord(const BinaryFile &file, const ChunkHeader &chunk,
                             std::uint64_t fileSize, std::vector<std::uint8_t> &data)
{
    if (chunk.dataEnd() > fileSize)
        return false;
    data.resize(chunk.size);
    return file.readAt(chunk.dataOffset(), data);
}

LexemeSound readLexeme(const std::filesystem::path &bank, std::string_view chunkId,
                       FormatCheck check)
{
    LexemeSound sound;
    BinaryFile file;
    if (!file.open(bank, BinaryFile::Access::Read)) {
        sound.error = LexemeReadError::OpenFailed;
        return sound;
    }
    WaveLayout layout;
    WaveLayoutError layoutError = WaveLayoutError::NoForm;
    if (!readWaveLayout(file, layout, layoutError)) {
        sound.error = layoutError == WaveLayoutError::NoForm ? LexemeReadError::NoForm
                                                             : LexemeReadError::NoFormat;
        return sound;
    }
    const std::uint64_t fileSize = file.size().value_or(0);
    std::vector<std::uint8_t> record;
    if (!readFormatRecord(file, layout.format, fileSize, record)) {
        sound.error = LexemeReadError::FormatShort;
        return sound;
    }
    sound.format = WaveFormat::fromRecord(record);
    if (check == FormatCheck::BankFormat && !sound.format.isBankFormat()) {
        sound.error = LexemeReadError::WrongFormat;
        return sound;
    }
    const std::optional<ChunkHeader> chunk =
        findChunk(file, ChunkId::fromText(chunkId), layout.dataStart(), layout.form.end);
    if (!chunk) {
        sound.error = LexemeReadError::NoChunk;
        return sound;
    }
    // Only whole samples are sound: a chunk without one is as empty as a chunk of size 0.
    const std::size_t sampleCount = chunk->size / sizeof(std::int16_t);
    if (sampleCount == 0) {
        sound.error = LexemeReadError::EmptyChunk;
        return sound;
    }
    if (chunk->dataEnd() > fileSize) {
        sound.error = LexemeReadError::ChunkShort;
        return sound;
    }
    // Bank samples are little-endian, as is every machine this runs on.
    sound.samples.assign(sampleCount, 0);
    const std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t *>(sound.samples.data()),
                                        sampleCount * sizeof(std::int16_t));
    if (!file.readAt(chunk->dataOffset(), bytes)) {
        sound.samples.clear();
        sound.error = LexemeReadError::ChunkShort;
    }
    return sound;
}

LexemeSound readSpokenLexeme(const std::filesystem::path &bank, std::string_view chunkId,
                             FormatCheck check, const GreetingCheck &greetingCheck)
{
    LexemeSound sound = readLexeme(bank, chunkId, check);
    if (!sound.ok() || ChunkId::fromText(chunkId) != ChunkId::fromText(GreetingChunkId))
        return sound;
    if (!greetingCheck || !greetingCheck(sound.samples)) {
        sound.samples.clear();
        sound.error = LexemeReadError::NotCertified;
    }
    return sound;
}

std::string_view describeLexemeError(LexemeReadError error)
{
    switch (error) {
    case LexemeReadError::None:
        return "no error";
    case LexemeReadError::OpenFailed:
        return "cannot open the bank";
    case LexemeReadError::NoForm:
        return "the bank is not a RIFF WAVE file";
    case LexemeReadError::NoFormat:
        return "the bank has no \"fmt \" chunk";
    case LexemeReadError::FormatShort:
        return "the bank's \"fmt \" chunk runs past the end of the file";
    case LexemeReadError::WrongFormat:
        return "the bank is not 8000 Hz mono 16-bit PCM";
    case LexemeReadError::NoChunk:
        return "the bank has no such chunk";
    case LexemeReadError::EmptyChunk:
        return "the chunk is empty";
    case LexemeReadError::ChunkShort:
        return "the chunk runs past the end of the bank";
    case LexemeReadError::NotCertified:
        return "the greeting phrase carries no valid certificate";
    }
    return "unknown error";
}

} // namespace vorela
