// Loading registry subtrees for the consistency check and checking sibling chains.
#include "stores/RegistrySnapshot.h"

#include "platform/RegistryKey.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "platform/RegistryValue.h"
#include "platform/TextParsing.h"
#include "stores/SiblingChain.h"

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

// What stopped the walk, in words; a chain that ends at its tail adds nothing.
static void addEndDamage(const SnapshotKey &last, ChainEnd end, std::vector<ChainDamage> &damages)
{
    const std::string next = last.value("next");
    if (end == ChainEnd::MissingNext)
        damages.push_back({last.name + " is followed by " + next + ", which does not exist"});
    if (end == ChainEnd::Loop)
        damages.push_back({last.name + " leads back to " + next + " (a loop)"});
}

// A successor whose "prev" does not name the node before it, in words.
static void addBackLinkDamage(const SnapshotKey &current, const SnapshotKey &successor,
                              std::vector<ChainDamage> &damages)
{
    const std::string prev = successor.value("prev");
    if (foldRegistryName(prev) != foldRegistryName(current.name))
        damages.push_back({successor.name + " follows " + current.name + " but names " +
                           (prev.empty() ? "nothing" : prev) + " as its predecessor"});
}

std::vector<ChainDamage> checkChain(const SnapshotKey &parent,
                                    std::vector<const SnapshotKey *> &order)
{
    std::vector<ChainDamage> damages;
    order.clear();
    if (parent.subkeys.empty())
        return damages;
    std::vector<ChainLinks> links;
    links.reserve(parent.subkeys.size());
    for (const SnapshotKey &key : parent.subkeys)
        links.push_back({key.name, key.value("prev"), key.value("next")});
    const ChainWalk walk = walkChain(links);
    if (walk.heads != 1)
        damages.push_back({std::to_string(walk.heads) + " items start the chain"});
    std::vector<bool> reached(parent.subkeys.size());
    for (const std::size_t index : walk.order) {
        if (!order.empty())
            addBackLinkDamage(*order.back(), parent.subkeys[index], damages);
        reached[index] = true;
        order.push_back(&parent.subkeys[index]);
    }
    if (!order.empty())
        addEndDamage(*order.back(), walk.end, damages);
    std::string unreached;
    for (std::size_t index = 0; index < parent.subkeys.size(); ++index) {
        if (reached[index])
            continue;
        unreached += (unreached.empty() ? "" : ", ") + parent.subkeys[index].name;
        order.push_back(&parent.subkeys[index]);
    }
    if (!unreached.empty())
        damages.push_back({"not reached from the head: " + unreached});
    return damages;
}

} // namespace vorela
