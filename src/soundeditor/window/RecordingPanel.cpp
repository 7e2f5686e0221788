// The input chooser and level meter shared by the sound editor and guided recording.
#include "soundeditor/window/RecordingPanel.h"

#include "platform/AudioDevice.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "soundeditor/window/LevelMeter.h"
#include "soundeditor/window/RecordingInputSetting.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace vorela {

static const std::string MissingSuffix = " (не найдено)";
static const std::string NoInputsText = "нет устройств записи";
static const std::string KeepFailedCaption = "Устройство записи";
static const std::string KeepFailedText =
    "Выбор устройства записи не удалось сохранить в настройках: он действует только до закрытия "
    "редактора.";

RecordingPanel::RecordingPanel(const SoundEditorContext &editorContext, QWidget *parent)
    : QWidget(parent), context(editorContext)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(9, 2, 9, 2);
    label_input = new QLabel(QStringLiteral("Микрофон:"), this);
    label_input->setObjectName("label_input");
    cb_input = new QComboBox(this);
    cb_input->setObjectName("cb_input");
    cb_input->setFocusPolicy(Qt::NoFocus); // Space and R belong to the window
    cb_input->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cb_input->setMaximumWidth(220);
    label_input->setBuddy(cb_input);
    meter_level = new LevelMeter(this);
    meter_level->setObjectName("meter_level");
    layout->addWidget(label_input);
    layout->addWidget(cb_input);
    layout->addWidget(meter_level, 1);
    connect(cb_input, &QComboBox::activated, this, &RecordingPanel::chooseInput);
    refreshInputs();
}

void RecordingPanel::refreshInputs()
{
    const std::vector<std::string> present = context.audio.inputNames();
    const std::string inUse = context.audio.inputName();
    cb_input->clear();
    for (const std::string &name : present)
        cb_input->addItem(toQString(name), toQString(name));
    const bool missing =
        !inUse.empty() && std::find(present.begin(), present.end(), inUse) == present.end();
    if (missing)
        cb_input->insertItem(0, toQString(inUse + MissingSuffix), toQString(inUse));
    if (cb_input->count() == 0)
        cb_input->addItem(toQString(NoInputsText));
    cb_input->setEnabled(!present.empty());
    const int index = cb_input->findData(toQString(inUse));
    cb_input->setCurrentIndex(std::max(0, index));
}

void RecordingPanel::chooseInput(int index)
{
    const std::string name = toUtf8(cb_input->itemData(index).toString());
    if (name.empty() || name == context.audio.inputName())
        return;
    context.audio.chooseInput(name);
    refreshInputs();
    if (context.inputSetting && !context.inputSetting->keepChoice(name))
        context.ui.showMessage({KeepFailedCaption, KeepFailedText, MessageIcon::Warning,
                                MessageButtons::Ok, MessageAnswer::Ok});
}

void RecordingPanel::startTake()
{
    monitor.restart();
    cb_input->setEnabled(false);
    meter_level->showLevel(0, false);
}

void RecordingPanel::followTake(std::span<const std::int16_t> soFar)
{
    const BlockLevel level = monitor.follow(soFar);
    meter_level->showLevel(meterShare(level.peakDbfs), monitor.hasClipped());
}

void RecordingPanel::endTake()
{
    meter_level->showLevel(0, monitor.hasClipped());
    refreshInputs();
}

} // namespace vorela
