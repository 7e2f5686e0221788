// Banks split into sound files for a version and joined again; the index keeps the chunk order
// and the bytes before the first sound (the format record), so the bank is rebuilt byte for byte.
#include "versions/BankVersion.h"

#include "platform/AtomicFileReplace.h"
#include "platform/BinaryFile.h"
#include "soundbank/RiffChunks.h"
#include "versions/RegistryText.h"

#include <charconv>
#include <set>
#include <vector>

namespace vorela {

static constexpr std::string_view HeadLine = "head ";

static std::string chunkText(const ChunkId &id)
{
    const auto &bytes = id.bytes();
    return std::string(bytes.begin(), bytes.end());
}

// A sound's file sits in a folder named by the id's first two bytes, so a changed sound adds a
// small folder listing to the history, not one of every sound of the bank.
static std::string soundPath(std::string_view folder, std::string_view rawId)
{
    return std::string(folder) + std::string(SoundsFolder) + encodeFileName(rawId.substr(0, 2)) +
           "/" + encodeFileName(rawId);
}

// Adds each chunk's sound file; the index lines go to index.
static bool readSounds(const BinaryFile &file, const std::vector<ChunkHeader> &chunks,
                       std::string_view folder, FileSource source, LibraryFiles &files,
                       std::string &index)
{
    std::set<std::string> seen;
    std::vector<std::uint8_t> data;
    for (const ChunkHeader &chunk : chunks) {
        const std::string name = encodeFileName(chunkText(chunk.id));
        if (!seen.insert(name).second)
            continue;
        data.resize(chunk.size);
        if (!file.readAt(chunk.dataOffset(), data))
            return false;
        const std::optional<BlobId> id =
            blobIdOf(std::string_view(reinterpret_cast<const char *>(data.data()), data.size()));
        if (!id)
            return false;
        files[soundPath(folder, chunkText(chunk.id))] = {
            *id, source, {}, chunk.dataOffset(), chunk.size};
        index += name + ' ' + std::to_string(chunk.size) + '\n';
    }
    return true;
}

bool readBankFiles(const BinaryFile &file, const std::filesystem::path &name, FileSource source,
                   std::string_view folder, LibraryFiles &files, std::string &error)
{
    WaveLayout layout;
    WaveLayoutError layoutError{};
    std::vector<std::uint8_t> head;
    if (readWaveLayout(file, layout, layoutError)) {
        head.resize(layout.dataStart() - RiffHeaderBytes);
        const std::vector<ChunkHeader> chunks =
            listChunks(file, layout.dataStart(), layout.form.end);
        const bool headRead = file.readAt(RiffHeaderBytes, head);
        std::string index = std::string(HeadLine) + hexText(head) + '\n';
        if (headRead && readSounds(file, chunks, folder, source, files, index)) {
            std::optional<LibraryFile> indexFile = textFile(std::move(index));
            if (indexFile) {
                files[std::string(folder) + std::string(BankIndexName)] = std::move(*indexFile);
                return true;
            }
        }
    }
    error = name.string() + ": not a readable bank (a RIFF WAVE form with a format chunk)";
    return false;
}

std::optional<std::string> soundChunkId(std::string_view path)
{
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos || !path.substr(slash + 1).starts_with(SoundsFolder))
        return std::nullopt;
    return decodeFileName(path.substr(path.rfind('/') + 1));
}

namespace {

struct IndexedSound {
    std::string name; // the encoded chunk id
    std::uint32_t size = 0;
};

struct BankIndex {
    std::vector<std::uint8_t> head;
    std::vector<IndexedSound> sounds; // in bank order
};

std::optional<BankIndex> parseIndex(std::string_view text)
{
    BankIndex index;
    const std::size_t end = text.find('\n');
    if (!text.starts_with(HeadLine) || end == std::string_view::npos)
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> head =
        bytesOfHex(text.substr(HeadLine.size(), end - HeadLine.size()));
    if (!head)
        return std::nullopt;
    index.head = std::move(*head);
    for (std::size_t start = end + 1; start < text.size();) {
        const std::size_t lineEnd = text.find('\n', start);
        if (lineEnd == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = text.substr(start, lineEnd - start);
        const std::size_t blank = line.find(' ');
        IndexedSound sound{std::string(line.substr(0, blank)), 0};
        const char *digits = line.data() + blank + 1;
        const auto [last, status] = std::from_chars(digits, line.data() + line.size(), sound.size);
        if (blank == std::string_view::npos || status != std::errc() ||
            last != line.data() + line.size())
            return std::nullopt;
        index.sounds.push_back(std::move(sound));
        start = lineEnd + 1;
    }
    return index;
}

} // namespace

static bool appendSound(const LibraryFile &sound, std::uint32_t size, const SoundSources &sources,
                        AtomicFileReplace &replace)
{
    switch (sound.source) {
    case FileSource::ProductBank:
        return sources.productBank != nullptr &&
               replace.appendFrom(*sources.productBank, sound.offset, sound.size);
    case FileSource::CurrencyBank:
        return sources.currencyBank != nullptr &&
               replace.appendFrom(*sources.currencyBank, sound.offset, sound.size);
    case FileSource::History:
        return sources.history && sources.history(sound.id, size, replace);
    case FileSource::Text:
        break;
    }
    return false;
}

bool buildBank(const LibraryFiles &files, std::string_view folder, const SoundSources &sources,
               AtomicFileReplace &replace, std::string &error)
{
    const std::string indexPath = std::string(folder) + std::string(BankIndexName);
    const auto indexFile = files.find(indexPath);
    const std::optional<BankIndex> index =
        indexFile == files.end() ? std::nullopt : parseIndex(indexFile->second.text);
    if (!index) {
        error = indexPath + ": expected \"head HEX\" and one encoded chunk id a line";
        return false;
    }
    std::vector<const LibraryFile *> sounds;
    std::uint64_t formSize = 4 + index->head.size();
    std::vector<std::string> ids;
    for (const IndexedSound &indexed : index->sounds) {
        const std::optional<std::string> id = decodeFileName(indexed.name);
        const auto sound = id ? files.find(soundPath(folder, *id)) : files.end();
        // A sound from the history has the size the index gives; one from a bank its own.
        if (sound == files.end() || id->size() != 4 ||
            (sound->second.source != FileSource::History && sound->second.size != indexed.size)) {
            error = indexPath + ": the chunk " + indexed.name + " has no sound file of its size";
            return false;
        }
        sounds.push_back(&sound->second);
        ids.push_back(*id);
        formSize += ChunkHeaderBytes + indexed.size + (indexed.size & 1U);
    }
    if (formSize > UINT32_MAX) {
        error = indexPath + ": the bank would exceed 4 GB";
        return false;
    }
    std::vector<std::uint8_t> header = {'R', 'I', 'F', 'F'};
    const auto size = littleEndian32(static_cast<std::uint32_t>(formSize));
    header.insert(header.end(), size.begin(), size.end());
    header.insert(header.end(), {'W', 'A', 'V', 'E'});
    header.insert(header.end(), index->head.begin(), index->head.end());
    bool written = replace.create() && replace.append(header);
    static constexpr std::uint8_t Pad[1] = {0};
    for (std::size_t number = 0; written && number < sounds.size(); ++number) {
        const std::uint32_t soundSize = index->sounds[number].size;
        const auto chunkHeader =
            encodeChunkHeader(ChunkId::fromBytes(std::span<const std::uint8_t, 4>(
                                  reinterpret_cast<const std::uint8_t *>(ids[number].data()), 4)),
                              soundSize);
        const std::uint64_t before = replace.written();
        written = replace.append(chunkHeader) &&
                  appendSound(*sounds[number], soundSize, sources, replace) &&
                  replace.written() == before + ChunkHeaderBytes + soundSize &&
                  ((soundSize & 1U) == 0 || replace.append(Pad));
    }
    if (written)
        return true;
    error = "the bank of " + std::string(folder) + " could not be written";
    return false;
}

} // namespace vorela
