// What the sound editor works with: the product bank, the dialogs, the sound card, the data
// directory and where the chosen recording input is kept, handed to it by its opener.
#pragma once

#include "platform/DataDirectory.h"

namespace vorela {

class AudioDevice;
class RecordingInputSetting;
class RegistryStore;
class SoundBank;
class UiServices;

struct SoundEditorContext {
    SoundBank &bank;
    UiServices &ui;
    AudioDevice &audio;
    DataDirectory dataDirectory;
    /// The editor's settings, where the window keeps its size; none keeps nothing.
    RegistryStore *settings = nullptr;
    /// Where a recording input the operator chooses is kept; without it the choice lasts until
    /// the program ends.
    const RecordingInputSetting *inputSetting = nullptr;
};

} // namespace vorela
