// A handle to one key of the registry store: its subkeys and values.
#pragma once

#include "platform/RegistryValue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorela {

class RegistryStore;

/// A key handle is a small value: copying it gives a second handle to the same key. Writes go
/// straight to the store (each in its own transaction unless one is open, see RegistryTransaction).
/// A handle to a key deleted meanwhile reads nothing and fails every write.
/// Paths are key names separated by '\'; empty components (a trailing '\') are ignored.
class RegistryKey {
public:
    /// A closed handle: reads give nothing, writes fail.
    RegistryKey() = default;

    [[nodiscard]] bool isOpen() const { return store != nullptr; }
    /// The key's own name as stored (its case kept).
    [[nodiscard]] const std::string &name() const { return keyName; }
    [[nodiscard]] RegistryStore *owner() const { return store; }
    [[nodiscard]] std::int64_t id() const { return keyId; }
    /// Whether the key is still in the store.
    [[nodiscard]] bool exists() const;

    /// Opens the key at relPath below this one, creating the missing keys; closed on failure.
    [[nodiscard]] RegistryKey createKey(std::string_view relPath) const;
    /// Opens an existing key at relPath below this one (an empty path gives this key); closed when
    /// any component is missing. Never creates anything.
    [[nodiscard]] RegistryKey openKey(std::string_view relPath) const;

    /// The subkey at index in folded-name order. Index 0 reads the subkey list afresh and keeps it
    /// in this handle; higher indices use the kept list. Empty past the end.
    [[nodiscard]] std::optional<std::string> enumerateSubkey(std::size_t index) const;
    /// Every subkey name in folded-name order, read afresh (also refreshes the kept list).
    [[nodiscard]] std::vector<std::string> subkeyNames() const;
    /// Every subkey opened, in folded-name order, in one query (none when the read fails).
    [[nodiscard]] std::vector<RegistryKey> subkeys() const;
    /// The same, empty when the read failed or the handle is closed.
    [[nodiscard]] std::optional<std::vector<RegistryKey>> readSubkeys() const;

    /// The value, or whether it is missing or could not be read (Failed on a closed handle).
    [[nodiscard]] ValueRead readValue(std::string_view valueName) const;
    /// False when the value is missing or cannot be read.
    [[nodiscard]] bool hasValue(std::string_view valueName) const;
    /// Empty when the value is missing, unreadable or of another type. Nothing is written.
    [[nodiscard]] std::optional<std::string> readString(std::string_view valueName) const;
    [[nodiscard]] std::optional<std::uint32_t> readDword(std::string_view valueName) const;
    [[nodiscard]] std::optional<std::vector<std::uint8_t>>
    readBinary(std::string_view valueName) const;
    /// Every value of the key in folded-name order, in one query (none when the read fails).
    [[nodiscard]] std::vector<RegistryValue> values() const;
    /// The same, empty when the read failed or the handle is closed.
    [[nodiscard]] std::optional<std::vector<RegistryValue>> readValues() const;

    /// Reads a REG_SZ; when it is missing, writes it empty and returns "". Another type, and a
    /// value that cannot be read, read "" and nothing is written.
    [[nodiscard]] std::string stringValue(std::string_view valueName) const;
    /// Reads a REG_DWORD; when it is missing, writes it as 0 and returns 0. Another type, and a
    /// value that cannot be read, read 0 and nothing is written.
    [[nodiscard]] std::uint32_t dwordValue(std::string_view valueName) const;
    /// Writes each value of defaults that is missing, in one transaction, never replacing a
    /// stored one; false when that failed (then none is written). True without writing when
    /// every value is stored.
    [[nodiscard]] bool createDefaults(std::span<const RegistryValue> defaults) const;

    /// Each write replaces a value of any type under the same folded name; false on failure.
    [[nodiscard]] bool writeString(std::string_view valueName, std::string_view text) const;
    [[nodiscard]] bool writeDword(std::string_view valueName, std::uint32_t dword) const;
    [[nodiscard]] bool writeBinary(std::string_view valueName,
                                   std::span<const std::uint8_t> bytes) const;
    [[nodiscard]] bool writeValue(const RegistryValue &value) const;
    /// False when the value is missing or cannot be deleted.
    [[nodiscard]] bool deleteValue(std::string_view valueName) const;
    /// Deletes the subkey with all its subkeys and values, in one transaction; false when the
    /// subkey is missing or the deletion fails (then nothing is deleted).
    [[nodiscard]] bool deleteSubkeyTree(std::string_view subkeyName) const;

private:
    friend class RegistryStore;
    /// The value; one that is missing is first written as fallback.
    [[nodiscard]] ValueRead readOrCreate(const RegistryValue &fallback) const;
    /// Reads the subkey list afresh into keptSubkeys.
    void keepSubkeys() const;

    RegistryKey(RegistryStore *owningStore, std::int64_t id, std::string name)
        : store(owningStore), keyId(id), keyName(std::move(name))
    {
    }

    RegistryStore *store = nullptr;
    std::int64_t keyId = 0;
    std::string keyName;
    mutable std::vector<std::string> keptSubkeys;
};

} // namespace vorela
