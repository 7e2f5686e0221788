// Sibling chains walked through a name map built in one pass, with a visited set so that a loop
// in damaged data ends.
#include "stores/SiblingChain.h"

#include "platform/RegistryValue.h"

#include <optional>
#include <unordered_map>
#include <utility>

namespace vorela {

ChainWalk walkChain(std::span<const ChainLinks> siblings)
{
    ChainWalk walk;
    std::unordered_map<std::string, std::size_t> byName;
    std::optional<std::size_t> head;
    for (std::size_t index = 0; index < siblings.size(); ++index) {
        byName.emplace(foldRegistryName(siblings[index].name), index);
        if (!siblings[index].prev.empty())
            continue;
        ++walk.heads;
        if (!head)
            head = index;
    }
    if (!head)
        return walk;
    std::vector<bool> visited(siblings.size());
    std::size_t current = *head;
    for (;;) {
        visited[current] = true;
        walk.order.push_back(current);
        const std::string &next = siblings[current].next;
        if (next.empty()) {
            walk.end = ChainEnd::Tail;
            return walk;
        }
        const auto found = byName.find(foldRegistryName(next));
        if (found == byName.end()) {
            walk.end = ChainEnd::MissingNext;
            return walk;
        }
        if (visited[found->second]) {
            walk.end = ChainEnd::Loop;
            return walk;
        }
        current = found->second;
    }
}

std::optional<std::string> readLink(const RegistryKey &key, std::string_view link)
{
    const ValueRead read = key.readValue(link);
    if (read.state == ValueState::Failed)
        return std::nullopt;
    const bool isText = read.state == ValueState::Found && read.value.type == ValueType::String;
    return isText ? read.value.text : std::string();
}

std::optional<std::vector<RegistryKey>>
readChainedSubkeys(const RegistryKey &key, std::string_view prevValue, std::string_view nextValue)
{
    std::optional<std::vector<RegistryKey>> subkeys = key.readSubkeys();
    if (!subkeys)
        return std::nullopt;
    std::vector<ChainLinks> links;
    links.reserve(subkeys->size());
    for (const RegistryKey &subkey : *subkeys) {
        std::optional<std::string> prev = readLink(subkey, prevValue);
        std::optional<std::string> next = readLink(subkey, nextValue);
        if (!prev || !next)
            return std::nullopt;
        links.push_back({subkey.name(), std::move(*prev), std::move(*next)});
    }
    std::vector<RegistryKey> chained;
    for (const std::size_t index : walkChain(links).order)
        chained.push_back(std::move((*subkeys)[index]));
    return chained;
}

std::vector<RegistryKey> chainedSubkeys(const RegistryKey &key, std::string_view prevValue,
                                        std::string_view nextValue)
{
    return readChainedSubkeys(key, prevValue, nextValue).value_or(std::vector<RegistryKey>());
}

} // namespace vorela
