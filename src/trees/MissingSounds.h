// Which lexemes below a node of the source tree still wait for their first recording.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class LexItem;

/// A lexeme to record: its chunk id, the text the operator reads and its tree path ("3\1\5\").
struct MissingSound {
    std::string chunkId;
    std::string text;
    std::string path;
    bool operator==(const MissingSound &) const = default;
};

/// Whether the bank holds a sound for this chunk text.
using HasSound = std::function<bool(std::string_view chunk)>;

/// Every lexeme below node, depth-first in chain order, whose chunk hasSound denies. Folders,
/// lexeme tables, function entries and nodes without a chunk are no lexemes; the greeting phrase
/// is left out, since only a certified file may become its sound. A chunk shared by several
/// lexemes is offered once, at its first place.
[[nodiscard]] std::vector<MissingSound> lexemesWithoutSound(const LexItem &node,
                                                            const HasSound &hasSound);

/// What the source tree marks: each lexeme without sound, and for each node the number of
/// lexemes below it that guided recording from there would offer.
struct SoundGaps {
    std::set<const LexItem *> silent;
    std::map<const LexItem *, std::size_t> counts; // nodes with nothing missing are left out
    [[nodiscard]] bool lacksSound(const LexItem &node) const { return silent.contains(&node); }
    [[nodiscard]] std::size_t missingBelow(const LexItem &node) const;
};

/// The gaps of the whole tree below root in one walk; a lexeme counts as lexemesWithoutSound
/// counts it, a chunk shared by several lexemes once per node above them.
[[nodiscard]] SoundGaps soundGaps(const LexItem &root, const HasSound &hasSound);

} // namespace vorela
