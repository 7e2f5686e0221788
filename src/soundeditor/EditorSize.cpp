// The sound editor's size in the registry store.
#include "soundeditor/EditorSize.h"

#include "platform/RegistryKey.h"
#include "platform/RegistryStore.h"
#include "stores/RegistryPaths.h"

#include <cstdint>
#include <string_view>

namespace vorela {

static constexpr std::string_view WidthValue = "SoundEditorWidth";
static constexpr std::string_view HeightValue = "SoundEditorHeight";

std::optional<EditorSize> storedEditorSize(RegistryStore &store)
{
    const RegistryKey key = store.openKey(EditorKeyPath);
    const std::optional<std::uint32_t> width = key.readDword(WidthValue);
    const std::optional<std::uint32_t> height = key.readDword(HeightValue);
    if (!width || !height || *width == 0 || *height == 0 || *width > 100000 || *height > 100000)
        return std::nullopt;
    return EditorSize{int(*width), int(*height)};
}

bool storeEditorSize(RegistryStore &store, const EditorSize &size)
{
    const RegistryKey key = store.createKey(EditorKeyPath);
    return key.writeDword(WidthValue, std::uint32_t(size.width)) &&
           key.writeDword(HeightValue, std::uint32_t(size.height));
}

} // namespace vorela
