// Rules of the lexeme table editor: the order of its rows, unique key names and the chunk ids
// of new table entries.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// Row order: names or key names, compared as text or as numbers (shorter first).
enum class TableSortMode { NamesAsText = 0, NamesAsNumbers = 1, KeysAsText = 2, KeysAsNumbers = 3 };

/// Strict ordering of two texts: as text by character codes, or numbers-first by length.
[[nodiscard]] bool tableTextLess(std::string_view left, std::string_view right, bool asNumbers);

/// The mode after a click on a column header (0 names, 1 key names).
[[nodiscard]] TableSortMode sortModeAfterClick(TableSortMode current, int column);

/// True when keyName equals one of keyNames, exactly.
[[nodiscard]] bool keyNameInUse(std::string_view keyName, const std::vector<std::string> &keyNames);

class LexItem;

/// The "chunk" of every node below root (root excluded), depth-first.
[[nodiscard]] std::vector<std::string> collectStoreChunks(const LexItem &root);

/// The 4-byte bank id a node's chunk text names: its first four Windows-1251 bytes, blank-padded.
[[nodiscard]] std::string chunkIdBytes(std::string_view chunkText);

/// The first id "|" + three bytes, counting the three bytes from blanks through 255 (last byte
/// fastest), that is none of usedIds (4-byte ids); decoded to text. Empty when all are taken.
[[nodiscard]] std::string nextTableChunkId(const std::set<std::string> &usedIds);

} // namespace vorela
