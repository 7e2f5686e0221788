// Mode inputs of the sound editor's openers, and back.
#include "soundeditor/EditorModes.h"

namespace vorela {

static const std::string TitlePrefix = "Проигрыватель - ";

EditorModeInputs editorModeInputs(SoundEditorMode mode, std::string_view lexemeName,
                                  std::string_view fileName)
{
    EditorModeInputs inputs;
    switch (mode) {
    case SoundEditorMode::Listen:
        inputs.fullControls = false;
        inputs.windowTitle = TitlePrefix + std::string(lexemeName);
        break;
    case SoundEditorMode::ReplaceInPlayer:
        inputs.windowTitle = TitlePrefix + std::string(lexemeName);
        break;
    case SoundEditorMode::CreateInPlayer:
        inputs.newEmpty = true;
        inputs.sourceIsFile = true;
        inputs.windowTitle = TitlePrefix + "Новая лексема";
        break;
    case SoundEditorMode::CreateFromFile:
        inputs.newFromFile = true;
        inputs.sourceIsFile = true;
        inputs.windowTitle = TitlePrefix + std::string(fileName);
        break;
    case SoundEditorMode::ReplaceFromFile:
        inputs.sourceIsFile = true;
        inputs.importPending = true;
        inputs.windowTitle =
            TitlePrefix + std::string(lexemeName) + " (" + std::string(fileName) + ")";
        break;
    }
    return inputs;
}

SoundEditorMode editorMode(const EditorModeInputs &inputs)
{
    if (!inputs.fullControls)
        return SoundEditorMode::Listen;
    if (inputs.newEmpty)
        return SoundEditorMode::CreateInPlayer;
    if (inputs.newFromFile)
        return SoundEditorMode::CreateFromFile;
    if (inputs.sourceIsFile)
        return SoundEditorMode::ReplaceFromFile;
    return SoundEditorMode::ReplaceInPlayer;
}

} // namespace vorela
