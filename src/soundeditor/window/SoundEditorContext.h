// What the sound editor works with: the product bank, the dialogs, the sound card and the data
// directory, handed to it by its opener.
#pragma once

#include "platform/DataDirectory.h"

namespace vorela {

class AudioDevice;
class SoundBank;
class UiServices;

struct SoundEditorContext {
    SoundBank &bank;
    UiServices &ui;
    AudioDevice &audio;
    DataDirectory dataDirectory;
};

} // namespace vorela
