// The five ways the sound editor is opened, and the mode inputs and caption each one sets.
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

} // namespace vorela
