// The chosen recording input in the registry store.
#include "soundeditor/window/RecordingInputSetting.h"

#include "platform/RegistryStore.h"
#include "stores/RegistryPaths.h"

namespace vorela {

static constexpr std::string_view RecordingDeviceValue = "RecordingDevice";

RecordingInputSetting::RecordingInputSetting(RegistryStore &store)
    : key(store.createKey(EditorKeyPath))
{
}

std::optional<std::string> RecordingInputSetting::chosenInput() const
{
    return key.readString(RecordingDeviceValue);
}

bool RecordingInputSetting::keepChoice(std::string_view inputName) const
{
    return key.writeString(RecordingDeviceValue, inputName);
}

} // namespace vorela
