// Keys are looked up by their bank form (four blank-padded characters), as the bank is read.
#include "preflight/SoundInventory.h"

#include "setup/RegistrySnapshot.h"
#include "soundbank/ChunkId.h"
#include "soundbank/WaveFile.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"

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

bool SoundInventory::has(const std::string &key)
{
    const auto known = keyPresence.find(key);
    if (known != keyPresence.end())
        return known->second;
    const bool present = bankIds.contains(ChunkId::fromText(key).text());
    keyPresence.emplace(key, present);
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
