// The row under a recording window's controls: the input device it records from, which the
// operator may change between takes, and the level meter that follows a take as it arrives.
#pragma once

#include "soundeditor/RecordingMonitor.h"
#include "soundeditor/window/SoundEditorContext.h"

#include <QWidget>

#include <cstdint>
#include <span>

class QComboBox;
class QLabel;

namespace vorela {

class LevelMeter;

class RecordingPanel : public QWidget {
    Q_OBJECT
public:
    /// The context must outlive the panel.
    explicit RecordingPanel(const SoundEditorContext &context, QWidget *parent = nullptr);

    /// Lists the inputs present again, the one in use selected (also when it is missing).
    void refreshInputs();
    /// A take starts: the meter and the clipping mark start over, the input stays as it is.
    void startTake();
    /// Shows the level of what arrived since the last look at the take so far.
    void followTake(std::span<const std::int16_t> soFar);
    /// The take ended: the meter drops, the clipping mark stays lit until the next take.
    void endTake();

private:
    void chooseInput(int index);

    SoundEditorContext context;
    TakeMonitor monitor;

    // Widgets, named as their objectNames.
    QLabel *label_input = nullptr;
    QComboBox *cb_input = nullptr;
    LevelMeter *meter_level = nullptr;
};

} // namespace vorela
