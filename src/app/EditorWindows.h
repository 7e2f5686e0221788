// Connects the main window's commands to the windows they open: the sound editor and the lexeme
// table editor; lives as long as the main window.
#pragma once

#include "soundeditor/window/RecordingInputSetting.h"
#include "soundeditor/window/SoundEditorCommands.h"

namespace vorela {

class AudioDevice;
class Form1;
struct EditorContext;

class EditorWindows {
public:
    EditorWindows(Form1 &form, const EditorContext &context, AudioDevice &audio);

private:
    RecordingInputSetting inputSetting;
    SoundEditorContext soundContext;
    SoundEditorCommands soundEditor;
};

} // namespace vorela
