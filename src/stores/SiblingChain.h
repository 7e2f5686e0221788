// Following a sibling chain: the subkeys of one key linked through their "prev"/"next" values.
// Every store and check walks its chains here, so all agree on the head and on where damage ends.
#pragma once

#include "platform/RegistryKey.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// One sibling's name and links as stored; names match case-insensitively, as registry names do.
struct ChainLinks {
    std::string name;
    std::string prev;
    std::string next;
};

/// Why a walk stopped.
enum class ChainEnd { Tail, MissingNext, Loop, NoHead };

struct ChainWalk {
    std::vector<std::size_t> order; // indices of the siblings reached, head first
    std::size_t heads = 0;          // siblings with an empty prev
    ChainEnd end = ChainEnd::NoHead;
};

/// Follows the chain from the first sibling (in the order given) with an empty prev until a
/// next that is empty, names no sibling or names one already reached. Damaged links never hang it.
[[nodiscard]] ChainWalk walkChain(std::span<const ChainLinks> siblings);

/// The subkeys of key that its chain reaches, in chain order; prevValue and nextValue name the
/// link values. Listed and read in one pass; reads only. Empty also when a read failed.
[[nodiscard]] std::vector<RegistryKey>
chainedSubkeys(const RegistryKey &key, std::string_view prevValue, std::string_view nextValue);
/// The same, empty when the list or a link could not be read.
[[nodiscard]] std::optional<std::vector<RegistryKey>>
readChainedSubkeys(const RegistryKey &key, std::string_view prevValue, std::string_view nextValue);
/// A link value as stored: "" when missing or not a string, empty when the read failed.
[[nodiscard]] std::optional<std::string> readLink(const RegistryKey &key, std::string_view link);

} // namespace vorela
