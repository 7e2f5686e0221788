// The lexeme tree of a new installation: the phrase folder with the greeting phrase, the
// function entries, and a folder of lexemes for every key the speech composition can produce.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vorela {

class LexItem;

/// Top-level nodes of the standard tree ("1", "2", "3") and the currency folder ("3\4\").
inline constexpr std::string_view PhraseFolderPath = "1\\";
inline constexpr std::string_view FunctionFolderPath = "2\\";
inline constexpr std::string_view WordFolderPath = "3\\";
inline constexpr std::string_view CurrencyFolderPath = "3\\4\\";

/// A function entry of the functions folder.
struct FunctionEntry {
    std::string_view chunk;     // "@000".."@013", or the boundary "____"
    std::string_view text;      // Russian name
    std::string_view ukrainian; // Ukrainian name
};

/// The functions folder's entries in order: one per function code, then further relative dates
/// (offset in characters 7-9 of the name, case in 12-13) and the boundary.
[[nodiscard]] std::span<const FunctionEntry> standardFunctions();

/// The greeting phrase's node name.
inline constexpr std::string_view GreetingText = "Приветствие";

/// Writes the standard tree into root, which must have no children, in one registry
/// transaction. False (with the reason in error) leaves the registry as it was.
[[nodiscard]] bool buildStandardLexemeTree(LexItem &root, std::string &error);

} // namespace vorela
