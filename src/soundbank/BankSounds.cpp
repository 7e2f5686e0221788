// Chunk headers come from one walk of the bank; sounds are then read at their offsets, so reading
// every sound of a bank of a thousand chunks is not a thousand walks.
#include "soundbank/BankSounds.h"

#include "soundbank/ChunkId.h"
#include "soundbank/WaveFile.h"

#include <cstring>

namespace vorela {

bool BankSounds::open(const std::filesystem::path &bank)
{
    WaveFile wave;
    if (!wave.Open(bank) || !file.open(bank, BinaryFile::Access::Read))
        return false;
    for (const ChunkHeader &chunk : wave.chunks()) {
        const std::string id = chunk.id.text();
        if (headers.emplace(id, chunk).second)
            order.push_back(id);
    }
    return true;
}

bool BankSounds::contains(std::string_view id) const
{
    return headers.contains(ChunkId::fromText(id).text());
}

std::optional<std::vector<std::int16_t>> BankSounds::samples(std::string_view id) const
{
    const auto found = headers.find(ChunkId::fromText(id).text());
    if (found == headers.end())
        return std::nullopt;
    std::vector<std::uint8_t> bytes(found->second.size & ~1U);
    if (!file.readAt(found->second.dataOffset(), bytes))
        return std::nullopt;
    // Bank samples are little-endian, as is every machine this runs on.
    std::vector<std::int16_t> sound(bytes.size() / 2);
    if (!sound.empty()) // an empty chunk has no buffer to copy from
        std::memcpy(sound.data(), bytes.data(), bytes.size());
    return sound;
}

} // namespace vorela
