// Loading registry subtrees for the consistency check and checking sibling chains.
#include "setup/RegistrySnapshot.h"

#include "platform/RegistryKey.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "platform/RegistryValue.h"
#include "platform/TextParsing.h"

#include <set>

namespace vorela {

std::string SnapshotKey::value(std::string_view valueName) const
{
    const auto found = strings.find(foldRegistryName(valueName));
    return found == strings.end() ? std::string() : found->second;
}

const SnapshotKey *SnapshotKey::subkey(std::string_view subkeyName) const
{
    const std::string folded = foldRegistryName(subkeyName);
    for (const SnapshotKey &key : subkeys) {
        if (foldRegistryName(key.name) == folded)
            return &key;
    }
    return nullptr;
}

const SnapshotKey *SnapshotKey::find(std::string_view relPath) const
{
    const SnapshotKey *key = this;
    for (const std::string &component : parseText(relPath, "\\", "\"'")) {
        key = key->subkey(component);
        if (key == nullptr)
            return nullptr;
    }
    return key;
}

static SnapshotKey loadKey(const RegistryKey &key)
{
    SnapshotKey copy;
    copy.name = key.name();
    for (const RegistryValue &value : key.values()) {
        if (value.type == ValueType::String)
            copy.strings[foldRegistryName(value.name)] = value.text;
    }
    for (const RegistryKey &subkey : key.subkeys())
        copy.subkeys.push_back(loadKey(subkey));
    return copy;
}

SnapshotKey loadSnapshot(RegistryStore &store, std::string_view path)
{
    const RegistryReadTransaction snapshot(store);
    const RegistryKey key = store.openKey(path);
    return key.isOpen() ? loadKey(key) : SnapshotKey{};
}

std::vector<ChainDamage> checkChain(const SnapshotKey &parent,
                                    std::vector<const SnapshotKey *> &order)
{
    std::vector<ChainDamage> damages;
    order.clear();
    if (parent.subkeys.empty())
        return damages;
    std::vector<const SnapshotKey *> heads;
    for (const SnapshotKey &key : parent.subkeys) {
        if (key.value("prev").empty())
            heads.push_back(&key);
    }
    if (heads.size() != 1)
        damages.push_back({std::to_string(heads.size()) + " items start the chain"});
    std::set<const SnapshotKey *> reached;
    for (const SnapshotKey *current = heads.empty() ? nullptr : heads.front(); current != nullptr;) {
        reached.insert(current);
        order.push_back(current);
        const std::string next = current->value("next");
        if (next.empty())
            break;
        const SnapshotKey *successor = parent.subkey(next);
        if (successor == nullptr) {
            damages.push_back({current->name + " is followed by " + next + ", which does not exist"});
            break;
        }
        if (reached.contains(successor)) {
            damages.push_back({current->name + " leads back to " + next + " (a loop)"});
            break;
        }
        if (foldRegistryName(successor->value("prev")) != foldRegistryName(current->name))
            damages.push_back({next + " follows " + current->name + " but names "
                               + (successor->value("prev").empty() ? "nothing" : successor->value("prev"))
                               + " as its predecessor"});
        current = successor;
    }
    std::string unreached;
    for (const SnapshotKey &key : parent.subkeys) {
        if (reached.contains(&key))
            continue;
        unreached += (unreached.empty() ? "" : ", ") + key.name;
        order.push_back(&key);
    }
    if (!unreached.empty())
        damages.push_back({"not reached from the head: " + unreached});
    return damages;
}

} // namespace vorela
