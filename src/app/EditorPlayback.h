// Connects the main window's listening commands to the template player; lives as long as the
// main window.
#pragma once

#include "platform/Clock.h"
#include "player/Form3.h"
#include "player/PlayerBar.h"
#include "player/TemplateListening.h"

namespace vorela {

class AudioDevice;
class Form1;
struct EditorContext;

class EditorPlayback {
public:
    EditorPlayback(Form1 &form, const EditorContext &context, AudioDevice &audio);

private:
    SystemClock clock;
    Form3 player;
    TemplateListening listening;
    PlayerBar *playerBar = nullptr; // owned by the main window
};

} // namespace vorela
