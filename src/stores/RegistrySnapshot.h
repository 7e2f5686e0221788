// A read-only copy of a registry subtree (names and string values), loaded in one snapshot so
// that a check looks at one consistent state and never writes a default value.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class RegistryKey;
class RegistryStore;

struct SnapshotKey {
    std::string name;
    std::map<std::string, std::string> strings; // folded value name -> REG_SZ text
    std::vector<SnapshotKey> subkeys;           // in enumeration order

    /// The REG_SZ value (name matched case-insensitively); "" when missing.
    [[nodiscard]] std::string value(std::string_view valueName) const;
    /// The subkey of this name (case-insensitive), or null.
    [[nodiscard]] const SnapshotKey *subkey(std::string_view subkeyName) const;
    /// The key at a relative path ("3\4\"), or null when a component is missing.
    [[nodiscard]] const SnapshotKey *find(std::string_view relPath) const;
};

/// The subtree at path below HKEY_LOCAL_MACHINE; an empty key when it does not exist.
[[nodiscard]] SnapshotKey loadSnapshot(RegistryStore &store, std::string_view path);

/// One way a sibling chain ("prev"/"next" values) is damaged, in words.
struct ChainDamage {
    std::string description;
};

/// Checks the chain of a key's subkeys: one head, every "next" names a sibling whose "prev" names
/// it back, no loop, every subkey reached. Returns the damages, empty for a whole chain.
/// The subkeys in chain order from the head go to order (all subkeys reached, even when damaged).
[[nodiscard]] std::vector<ChainDamage> checkChain(const SnapshotKey &parent,
                                                  std::vector<const SnapshotKey *> &order);

} // namespace vorela
