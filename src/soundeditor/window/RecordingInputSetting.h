// The input device the operator chose for recording, kept with the editor's other settings in
// HKLM "Software\vorela\Editor\" as the REG_SZ "RecordingDevice" (the device's description).
#pragma once

#include "platform/RegistryKey.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorela {

class RegistryStore;

class RecordingInputSetting {
public:
    /// Opens (creating) the editor key.
    explicit RecordingInputSetting(RegistryStore &store);

    /// The input chosen last; nothing when none was ever chosen or it cannot be read, which
    /// both mean the system's default input.
    [[nodiscard]] std::optional<std::string> chosenInput() const;
    /// False when the store could not be written.
    [[nodiscard]] bool keepChoice(std::string_view inputName) const;

private:
    RegistryKey key;
};

} // namespace vorela
