// The five ways the sound editor is opened, the mode inputs and caption each one sets, and the
// mode told back from the inputs.
#pragma once

#include <string>
#include <string_view>

namespace vorela {

enum class SoundEditorMode {
    Listen,          ///< double click: compact, listen only
    ReplaceInPlayer, ///< "Заменить лексему" / "из пpоигpывателя"
    CreateInPlayer,  ///< "Создать лексему" / "из пpоигpывателя"
    CreateFromFile,  ///< "Создать лексему" / "из файла"
    ReplaceFromFile, ///< "Заменить лексему" / "из файла"
};

struct EditorModeInputs {
    bool newEmpty = false;
    bool newFromFile = false;
    bool sourceIsFile = false;
    bool fullControls = true;
    bool importPending = false;
    std::string windowTitle;
    bool operator==(const EditorModeInputs &) const = default;
};

/// Inputs for mode; lexemeName is the node's display name, fileName the chosen file's name part.
[[nodiscard]] EditorModeInputs editorModeInputs(SoundEditorMode mode, std::string_view lexemeName,
                                                std::string_view fileName);
/// The mode whose inputs these are; inputs no opener sets are read as the nearest mode.
[[nodiscard]] SoundEditorMode editorMode(const EditorModeInputs &inputs);

} // namespace vorela
