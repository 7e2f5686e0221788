// What the sound editor enables, saves and asks, from its state alone.
#include "soundeditor/EditorRules.h"

namespace vorela {

bool EditorState::newLexeme() const
{
    return mode == SoundEditorMode::CreateInPlayer || mode == SoundEditorMode::CreateFromFile;
}

// An imported sound counts as a change until it is saved once.
static bool hasUnsavedImport(const EditorState &state)
{
    if (state.mode == SoundEditorMode::CreateFromFile)
        return !state.savedOnce;
    return state.importPending;
}

// Until it is saved, an empty sound of such a lexeme is no change worth a chunk.
static bool savesNothingEmpty(const EditorState &state)
{
    return state.newLexeme() || state.soundMissing;
}

bool recordsMissingSound(SoundEditorMode mode, bool greetingPhrase)
{
    return mode == SoundEditorMode::ReplaceInPlayer && !greetingPhrase;
}

bool hasFullControls(const EditorState &state)
{
    return state.mode != SoundEditorMode::Listen && state.editable;
}

EditorControls enabledControls(const EditorState &state, const SoundFacts &sound)
{
    EditorControls controls;
    if (!hasFullControls(state))
        return controls;
    // Playing and recording never run together, and nothing may change the sound meanwhile.
    if (!state.idle()) {
        controls.stop = true;
        return controls;
    }
    controls.record = true;
    controls.play = sound.soundSize > 0;
    controls.selectAll = sound.soundSize > 0;
    const bool editing = state.hasSelection && sound.soundSize > 0;
    controls.cut = editing;
    controls.crop = editing;
    controls.gainUp = editing && !sound.gainAtMaximum;
    controls.gainDown = editing && !sound.gainAtMinimum;
    controls.undo = sound.undoAvailable;
    controls.redo = sound.redoAvailable;
    controls.trimSilence = sound.soundSize > 0;
    controls.levelLoudness = sound.soundSize > 0;
    controls.zoomIn = sound.soundSize > 0 && !sound.zoomAtMaximum;
    controls.zoomOut = sound.zoomedIn;
    controls.save = state.modified || (state.audioStarted && hasUnsavedImport(state));
    return controls;
}

bool saveSkipped(const EditorState &state, const SoundFacts &sound)
{
    return savesNothingEmpty(state) && sound.soundSize == 0;
}

bool needsSilencePadding(const EditorState &state, const SoundFacts &sound)
{
    return !savesNothingEmpty(state) && sound.soundSize == 0;
}

bool closeNeedsQuestion(const EditorState &state, const SoundFacts &sound)
{
    if (saveSkipped(state, sound))
        return false;
    // Until the operator has heard or recorded something there is nothing to lose.
    if (!state.audioStarted)
        return false;
    return state.modified || hasUnsavedImport(state);
}

} // namespace vorela
