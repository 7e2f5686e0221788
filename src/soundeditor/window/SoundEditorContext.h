// What the sound editor works with: the product bank, the dialogs, the sound card and the data
// directory, handed to it by its opener.
#pragma once

#include "platform/DataDirectory.h"

namespace vorela {

class AudioDevice;
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
};

} // namespace vorela
