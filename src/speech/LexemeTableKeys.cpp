// Reads a lexeme table's chain once into a map, for one lookup or for a whole task table.
#include "speech/LexemeTableKeys.h"

#include "platform/RegistryKey.h"
#include "platform/RegistryStore.h"
#include "stores/LexItem.h"
#include "stores/LexemeTable.h"
#include "stores/RegistryPaths.h"
#include "stores/SiblingChain.h"

namespace vorela {

std::unordered_map<std::string, std::string> lexemeTableKeys(RegistryStore &store,
                                                             std::string_view tablePath)
{
    std::unordered_map<std::string, std::string> keys;
    const RegistryKey table = store.openKey(std::string(LexemeRootPath) + std::string(tablePath));
    for (const RegistryKey &entry : chainedSubkeys(table, LexemeValue::Prev, LexemeValue::Next)) {
        const std::string chunk = entry.readString(LexemeValue::Chunk).value_or("");
        if (!chunk.empty())
            keys.try_emplace(
                std::string(tableKeyName(entry.readString(LexemeValue::Keyname).value_or(""))),
                chunk);
    }
    return keys;
}

} // namespace vorela
