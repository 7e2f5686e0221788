// Rules of the lexeme table editor: the order of its rows and unique key names; and the chunks of
// the whole store, from which new chunk ids are chosen.
#pragma once

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

/// A key name or a looked-up value as lexeme table entries are matched: without blanks at
/// either end, otherwise exactly (case counts).
[[nodiscard]] std::string_view tableKeyName(std::string_view text);

/// True when keyName matches one of keyNames as tableKeyName compares them.
[[nodiscard]] bool keyNameInUse(std::string_view keyName, const std::vector<std::string> &keyNames);

class LexItem;

/// The "chunk" of every node below root (root excluded), depth-first.
[[nodiscard]] std::vector<std::string> collectStoreChunks(const LexItem &root);

} // namespace vorela
