// The sound editor's state, and what it decides: which controls are enabled, when a save is
// skipped or padded with silence, and when closing asks.
#pragma once

#include "soundeditor/EditorModes.h"

#include <cstdint>

namespace vorela {

enum class EditorActivity { Idle, Playing, Recording };

/// How the editor was opened, what runs, and what the operator has done to the sound.
struct EditorState {
    SoundEditorMode mode = SoundEditorMode::ReplaceInPlayer;
    EditorActivity activity = EditorActivity::Idle;
    bool editable = true; ///< false for a verified greeting phrase: heard and saved, not edited
    bool hasSelection = false;
    bool modified = false;
    bool importPending = false;
    bool savedOnce = false;
    bool savedAsNew = false;
    bool audioStarted = false; ///< something was recorded or heard; until then closing never asks

    [[nodiscard]] bool idle() const { return activity == EditorActivity::Idle; }
    [[nodiscard]] bool newLexeme() const;
};

/// What the edit buffer holds, as far as the decisions depend on it.
struct SoundFacts {
    std::uint32_t soundSize = 0;
    bool undoAvailable = false;
    bool gainAtMaximum = false; ///< an open gain adjustment stands at its upper limit
    bool gainAtMinimum = false; ///< ... at silence
};

struct EditorControls {
    bool record = false;
    bool play = false;
    bool stop = false;
    bool cut = false;
    bool crop = false;
    bool gainUp = false;
    bool gainDown = false;
    bool undo = false;
    bool save = false;
    bool operator==(const EditorControls &) const = default;
};

/// False for the compact window, which only plays.
[[nodiscard]] bool hasFullControls(const EditorState &state);
/// The controls to enable; none of them in the compact window.
[[nodiscard]] EditorControls enabledControls(const EditorState &state, const SoundFacts &sound);
/// A new lexeme without sound is never written to the bank.
[[nodiscard]] bool saveSkipped(const EditorState &state, const SoundFacts &sound);
/// A replaced lexeme cut to nothing is saved as one silent sample, never as an empty chunk.
[[nodiscard]] bool needsSilencePadding(const EditorState &state, const SoundFacts &sound);
/// True when closing must ask whether to save.
[[nodiscard]] bool closeNeedsQuestion(const EditorState &state, const SoundFacts &sound);

} // namespace vorela
