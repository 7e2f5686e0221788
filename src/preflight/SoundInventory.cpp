// Keys are looked up by their bank form (four blank-padded characters), as the bank is read.
#include "preflight/SoundInventory.h"

#include "soundbank/ChunkId.h"
#include "soundbank/WaveFile.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "stores/RegistrySnapshot.h"

#include <optional>

namespace vorela {

std::optional<SoundInventory> SoundInventory::read(const std::filesystem::path &bank,
                                                   RegistryStore &store, std::string &error)
{
    WaveFile file;
    if (!file.Open(bank)) {
        error = bank.string() + ": cannot be read as a sound bank";
        return std::nullopt;
    }
    SoundInventory inventory(store);
    for (const ChunkHeader &chunk : file.chunks())
        inventory.bankIds.insert(chunk.id.text());
    return inventory;
}

// Up to seven bytes and their count (0 only for the empty key); nothing for a longer key.
static std::optional<std::uint64_t> packedKey(std::string_view key)
{
    if (key.size() > 7)
        return std::nullopt;
    std::uint64_t packed = std::uint64_t{key.size()} << 56;
    for (std::size_t index = 0; index < key.size(); ++index)
        packed |= std::uint64_t{static_cast<unsigned char>(key[index])} << (8 * index);
    return packed;
}

bool SoundInventory::has(std::string_view key)
{
    const std::optional<std::uint64_t> packed = packedKey(key);
    if (!packed || *packed == 0)
        return bankIds.contains(ChunkId::fromText(key).text());
    // Fibonacci hashing spreads the packed bytes over the slots; a free slot ends the probe.
    std::size_t slot = (*packed * 0x9E3779B97F4A7C15U) >> (64 - PackedBits);
    while (packedKeys[slot] != 0 && packedKeys[slot] != *packed)
        slot = (slot + 1) % PackedSlots;
    if (packedKeys[slot] == *packed)
        return packedPresence[slot];
    const bool present = bankIds.contains(ChunkId::fromText(key).text());
    if (packedCount < PackedSlots / 2) { // a full table would never end a probe
        packedKeys[slot] = *packed;
        packedPresence[slot] = present;
        ++packedCount;
    }
    return present;
}

static void collectNames(const SnapshotKey &node, std::string_view textValue,
                         std::unordered_map<std::string, std::string> &names)
{
    for (const SnapshotKey &child : node.subkeys) {
        const std::string chunk = child.value(LexemeValue::Chunk);
        if (!chunk.empty())
            names.try_emplace(ChunkId::fromText(chunk).text(), child.value(textValue));
        collectNames(child, textValue, names);
    }
}

std::string SoundInventory::lexemeName(std::string_view key)
{
    if (!names) {
        // One read-only snapshot: reading a name through the tree could write a missing default.
        const std::string_view textValue =
            StoredLanguage(*store) == 1 ? LexemeValue::Text1 : LexemeValue::Text;
        names.emplace();
        collectNames(loadSnapshot(*store, LexemeRootPath), textValue, *names);
    }
    const auto found = names->find(ChunkId::fromText(key).text());
    return found == names->end() ? std::string() : found->second;
}

} // namespace vorela
