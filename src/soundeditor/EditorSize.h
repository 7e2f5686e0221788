// The sound editor window's size as the operator left it, kept beside the main window's geometry
// in HKLM "Software\vorela\Editor\": "SoundEditorWidth" and "SoundEditorHeight".
#pragma once

#include <optional>

namespace vorela {

class RegistryStore;

struct EditorSize {
    int width = 0;
    int height = 0;
    bool operator==(const EditorSize &) const = default;
};

/// The stored size; nothing when either value is missing or zero.
[[nodiscard]] std::optional<EditorSize> storedEditorSize(RegistryStore &store);
/// False when the store could not be written.
[[nodiscard]] bool storeEditorSize(RegistryStore &store, const EditorSize &size);

} // namespace vorela
