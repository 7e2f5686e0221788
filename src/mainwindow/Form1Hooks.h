// Where the main window hands work to the other windows: the sound editor, the lexeme table
// editor, the template player and the currency installation. Each is set
// by the program's start-up; a hook left empty makes its command do nothing.
#pragma once

#include "stores/PatternItem.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorela {

class LexItem;

/// A lexeme whose sound the sound editor saved as new: the node to create.
struct CreatedLexeme {
    std::string chunkId;
    std::string name; // the file's name without extension, or empty when recorded
};

/// One template item (or source-tree function entry) to speak; marker identifies the tree item
/// that is shown bold while its keys play ("----" + marker in the key sequence).
struct SpokenItem {
    PatternItem item;
    std::string task;
    std::uintptr_t marker = 0;
};

struct Form1Hooks {
    /// Double click on a lexeme: the compact window that plays it.
    std::function<void(const std::string &lexemeName, const std::string &chunkId)> listenLexeme;
    /// "Заменить лексему" / "из пpоигpывателя" and "из файла" (the hook asks for the file).
    std::function<void(const std::string &lexemeName, const std::string &chunkId)> replaceInPlayer;
    std::function<void(const std::string &lexemeName, const std::string &chunkId)> replaceFromFile;
    /// "Создать лексему" / "из пpоигpывателя" and "из файла"; storeChunks are every chunk of the
    /// lexeme store. The new lexeme when the sound editor saved it, else nothing.
    std::function<std::optional<CreatedLexeme>(std::span<const std::string> storeChunks)>
        createInPlayer;
    std::function<std::optional<CreatedLexeme>(std::span<const std::string> storeChunks)>
        createFromFile;
    /// "Записать недостающие...": records, one by one, the lexemes below node without sound.
    std::function<void(const LexItem &node)> recordMissing;
    /// Runs the lexeme table editor modally on table (a child of parent).
    std::function<void(QWidget &owner, LexItem &table, LexItem &parent)> editLexemeTable;
    /// Expands the items and starts the player; false when nothing could be spoken. When playback
    /// ends the player calls Form1::playbackFinished().
    std::function<bool(const std::vector<SpokenItem> &items)> playItems;
    /// Speaks a function entry double-clicked in the source tree: number 2 the current time, a
    /// number above 12 only marks the entry while it "plays"; same contract as playItems.
    std::function<bool(std::uint64_t functionNumber, std::uintptr_t marker)> playFunctionEntry;
    /// Which record of the table of the task current in the task tree the next playback reads
    /// (1-based, deleted records counted; none: the first live record); false when the player
    /// cannot take it.
    std::function<bool(std::optional<std::uint32_t> record)> chooseRecord;
    /// Tells the player to stop.
    std::function<void()> stopPlayback;
    /// Copies the currency words into the bank and the lexeme tree before the trees are built;
    /// false when a word's sound or node could not be written.
    std::function<bool()> installCurrency;
};

} // namespace vorela
