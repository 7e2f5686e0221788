// The product bank's chunk ids, read once, and the names of the lexemes whose sound is missing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace vorela {

class RegistryStore;

class SoundInventory {
public:
    /// Lists the bank's chunks; empty with error naming the file when it is no readable bank.
    [[nodiscard]] static std::optional<SoundInventory>
    read(const std::filesystem::path &bank, RegistryStore &store, std::string &error);

    /// Whether the bank holds the sound a key of a key sequence names.
    [[nodiscard]] bool has(const std::string &key);
    /// The name of a lexeme whose chunk is key, in the editor's language; "" when none.
    [[nodiscard]] std::string lexemeName(std::string_view key);

private:
    explicit SoundInventory(RegistryStore &registry) : store(&registry) {}

    RegistryStore *store;
    std::unordered_set<std::string> bankIds;
    std::unordered_map<std::string, bool>
        keyPresence; // keys met so far: few, however long the table
    std::optional<std::unordered_map<std::string, std::string>> names; // read when first needed
};

} // namespace vorela
