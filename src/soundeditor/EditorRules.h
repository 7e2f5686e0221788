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
    bool soundMissing = false; ///< the bank held no sound for the lexeme, and none is saved yet

    [[nodiscard]] bool idle() const { return activity == EditorActivity::Idle; }
    [[nodiscard]] bool newLexeme() const;
};

/// What the edit buffer holds and how the waveform shows it, as far as the decisions depend on it.
struct SoundFacts {
    std::uint32_t soundSize = 0;
    bool undoAvailable = false;
    bool redoAvailable = false;
    bool gainAtMaximum = false; ///< an open gain adjustment stands at its upper limit
    bool gainAtMinimum = false; ///< ... at silence
    bool zoomedIn = false;      ///< the waveform shows part of the sound
    bool zoomAtMaximum = false; ///< ... at its deepest zoom
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
    bool redo = false;
    bool trimSilence = false;
    bool levelLoudness = false;
    bool zoomIn = false;
    bool zoomOut = false; ///< also "fit", back to the whole sound
    bool save = false;
    bool selectAll = false; ///< no button: the key that selects the whole sound
    bool operator==(const EditorControls &) const = default;
};

/// True when a lexeme whose chunk the bank lacks opens empty, ready to record, instead of
/// failing its load. The greeting phrase never does: it is taken only from a certified file.
[[nodiscard]] bool recordsMissingSound(SoundEditorMode mode, bool greetingPhrase);
/// False for the compact window, which only plays.
[[nodiscard]] bool hasFullControls(const EditorState &state);
/// The controls to enable; none of them in the compact window.
[[nodiscard]] EditorControls enabledControls(const EditorState &state, const SoundFacts &sound);
/// A lexeme without sound in the bank (new, or never recorded) never gets an empty one there.
[[nodiscard]] bool saveSkipped(const EditorState &state, const SoundFacts &sound);
/// A replaced lexeme cut to nothing is saved as one silent sample, never as an empty chunk.
[[nodiscard]] bool needsSilencePadding(const EditorState &state, const SoundFacts &sound);
/// True when closing must ask whether to save.
[[nodiscard]] bool closeNeedsQuestion(const EditorState &state, const SoundFacts &sound);

} // namespace vorela
