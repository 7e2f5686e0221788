// What changed between two versions of the library, in words: sounds added, changed and removed,
// lexemes renamed, template items added, removed and moved.
#pragma once

#include "versions/LibraryFiles.h"

#include <string>
#include <vector>

namespace vorela {

enum class ChangeKind {
    SoundAdded,
    SoundChanged,
    SoundRemoved,
    LexemeAdded,
    LexemeRenamed,
    LexemeRemoved,
    ItemAdded,
    ItemRemoved,
    ItemMoved
};

/// One change between two versions.
struct LibraryChange {
    ChangeKind kind = ChangeKind::SoundAdded;
    /// A sound's chunk id, a lexeme's path below the lexeme tree, or a template's key path
    /// ("Tasks\TASK\Операторы\OPERATOR").
    std::string subject{};
    /// A sound's or lexeme's text (the new one of a rename), a template item's words.
    std::string words{};
    std::string earlierWords{}; // a renamed lexeme's old text
    std::string argument{};     // a template item's argument
    bool currency = false;      // a sound of the currency bank
};

/// Every change from before to after, sounds first, then lexemes, then templates; false with the
/// reason when a registry text of either is malformed.
[[nodiscard]] bool compareLibraries(const LibraryFiles &before, const LibraryFiles &after,
                                    std::vector<LibraryChange> &changes, std::string &error);

/// One line per change from before to after; false with the reason when a registry text of
/// either is malformed.
[[nodiscard]] bool describeChanges(const LibraryFiles &before, const LibraryFiles &after,
                                   std::vector<std::string> &lines, std::string &error);

} // namespace vorela
