// When the sound editor saves, pads a sound cut to nothing, and asks before closing.
#pragma once

#include <cstdint>

namespace vorela {

/// The editor's mode inputs and flags that decide about saving and closing.
struct EditorFlags {
    bool newEmpty = false;
    bool newFromFile = false;
    bool importPending = false;
    bool audioStarted = false;
    bool modified = false;
    bool savedOnce = false;
    std::uint32_t soundSize = 0;

    [[nodiscard]] bool newLexeme() const { return newEmpty || newFromFile; }
};

/// A new lexeme without sound is never written to the bank.
[[nodiscard]] bool saveSkipped(const EditorFlags &flags);
/// A replaced lexeme cut to nothing is saved as one silent sample, never as an empty chunk.
[[nodiscard]] bool needsSilencePadding(const EditorFlags &flags);
/// True when closing must ask whether to save.
[[nodiscard]] bool closeNeedsQuestion(const EditorFlags &flags);

} // namespace vorela
