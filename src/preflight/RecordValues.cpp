// Each lexeme table is read on its first lookup and kept for the rest of the check.
#include "preflight/RecordValues.h"

#include "speech/LexemeTableKeys.h"

namespace vorela {

std::string RecordValues::fieldValue(std::string_view) const
{
    return std::string(value);
}

std::string RecordValues::tableChunk(std::string_view tablePath, std::string_view key) const
{
    auto table = tables.find(tablePath);
    if (table == tables.end())
        table = tables.emplace(std::string(tablePath), lexemeTableKeys(store, tablePath)).first;
    const auto entry = table->second.find(std::string(key));
    return entry == table->second.end() ? std::string() : entry->second;
}

} // namespace vorela
