// The product bank's chunk ids, read once, and the names of the lexemes whose sound is missing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vorela {

class RegistryStore;

class SoundInventory {
public:
    /// Lists the bank's chunks; empty with error naming the file when it is no readable bank.
    [[nodiscard]] static std::optional<SoundInventory>
    read(const std::filesystem::path &bank, RegistryStore &store, std::string &error);

    /// Whether the bank holds the sound a key of a key sequence names.
    [[nodiscard]] bool has(std::string_view key);
    /// The name of a lexeme whose chunk is key, in the editor's language; "" when none.
    [[nodiscard]] std::string lexemeName(std::string_view key);

private:
    explicit SoundInventory(RegistryStore &registry) : store(&registry) {}

    // A table of the keys met so far, by their bytes packed into one number: a key of a whole
    // table is looked up in a few steps without hashing a string. Few keys, however long the table.
    static constexpr unsigned PackedBits = 12;
    static constexpr std::size_t PackedSlots = std::size_t{1} << PackedBits;

    RegistryStore *store;
    std::unordered_set<std::string> bankIds;
    std::vector<std::uint64_t> packedKeys = std::vector<std::uint64_t>(PackedSlots); // 0: free
    std::vector<bool> packedPresence = std::vector<bool>(PackedSlots);
    std::size_t packedCount = 0;
    std::optional<std::unordered_map<std::string, std::string>> names; // read when first needed
};

} // namespace vorela
