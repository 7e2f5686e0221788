// The values one template item reads while a whole table is checked: the value set for the item
// being expanded, and the lexeme tables read once from the registry.
#pragma once

#include "speech/ItemValues.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vorela {

class RegistryStore;

class RecordValues final : public ItemValues {
public:
    /// Lexeme tables come from store, which must outlive this.
    explicit RecordValues(RegistryStore &registry) : store(registry) {}

    /// The value the next item expanded reads, whatever its binding: an item has one binding.
    /// text must outlive that expansion.
    void setValue(std::string_view text) { value = text; }

    [[nodiscard]] std::string fieldValue(std::string_view binding) const override;
    [[nodiscard]] std::string tableChunk(std::string_view tablePath,
                                         std::string_view key) const override;

private:
    RegistryStore &store;
    std::string_view value;
    // Path to key name to chunk id; as many entries as the templates have lexeme tables.
    mutable std::map<std::string, std::unordered_map<std::string, std::string>, std::less<>> tables;
};

} // namespace vorela
