// The sound editor's playback and recording through the audio device, with their timers.
#include "soundeditor/window/Form2.h"

#include "platform/UiServices.h"
#include "soundeditor/RecordingMonitor.h"
#include "soundeditor/RecordingRefusal.h"
#include "soundeditor/Waveform.h"
#include "soundeditor/window/GainButton.h"
#include "soundeditor/window/RecordingPanel.h"
#include "soundeditor/window/RulerView.h"
#include "soundeditor/window/SelectionSlider.h"
#include "soundeditor/window/WaveformView.h"

#include <QAction>
#include <QBoxLayout>
#include <QTimer>
#include <QToolButton>

namespace vorela {

static const std::string PlayFailedCaption = "Ошибка проигровки блока аудиоданных!";
static const std::string NoOutputText =
    "Ошибка открытия устройства воспроизведения.\r\nЗвуковая карта отсутствует,занята или не "
    "поддерживает данный формат.\r\nТем не менее Вы можете редактировать данные и сохранять их "
    "\"вслепую\".";
static const std::string BusyCaption = "Ошибка откpытия аудиоустpойства!";
static const std::string BusyText =
    "Возможно оно занято дpугим пpиложением.\r\nЗакpойте все дpугие пpиложения, пpоигывающие "
    "звук и повтоpите попытку.\r\n";
static const std::string PrepareFailedCaption = "Ошибка подготовки блока аудиоданных!";
static const std::string RecordFailedCaption = "Ошибка записи аудиоданных";
static const std::string NoInputText =
    "Ошибка открытия устройства записи.\r\nЗвуковая карта отсутствует или занята.\r\n";

static constexpr int PlayTickMs = 10;
/// The meter and the growing waveform follow the take 20 times a second.
static constexpr int RecordTickMs = 50;

// The ruler under a growing take: seconds of the span the take is drawn over.
static void showGrowingRuler(RulerView &ruler, int columns, std::size_t recordedSamples)
{
    const auto spanBytes = static_cast<std::uint32_t>(growingSpanSamples(recordedSamples) * 2);
    ruler.setRuler(rulerLayout(spanBytes, columns, ruler.width()));
}

void Form2::buildRecordingPanel(const SoundEditorContext &context)
{
    recordingPanel = new RecordingPanel(context, this);
    recordingPanel->setObjectName("recordingPanel");
    auto *column = static_cast<QBoxLayout *>(layout());
    column->insertWidget(column->indexOf(controlsRow) + 1, recordingPanel);
}

void Form2::warn(const std::string &caption, const std::string &text)
{
    ui.showMessage({caption, text, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

void Form2::startPlayback()
{
    if (!state.idle() || soundSize() == 0)
        return;
    setActivity(EditorActivity::Playing);
    markerBlink = false;

    const PlayPlan plan = planPlayback({markerX, selectionEndX}, soundSize(), viewWidth);
    if (plan.restarted) {
        setMarkerDrawn(false);
        markerX = plan.selection.markerX;
        selectionEndX = plan.selection.selectionEndX;
        updateHighlight();
    }
    playStartX = plan.playStartX;
    playToEnd = plan.playToEnd;
    range = plan.bytes;

    const std::span<const std::int16_t> block =
        editBuffer.samples().subspan(range.start / 2, range.size() / 2);
    const AudioStart started = audio.play(block, waveFormat, [this] { playbackEnded(); });
    if (started == AudioStart::NoDevice) {
        // Without a sound card everything but listening and recording still works.
        warn(PlayFailedCaption, NoOutputText);
        playbackEnded();
        return;
    }
    if (started == AudioStart::Busy) {
        warn(BusyCaption, BusyText);
        if (!state.audioStarted) {
            closeWithoutQuestion();
            return;
        }
        returnToIdleAfterPlayback();
        return;
    }
    if (started == AudioStart::Failed) {
        warn(PrepareFailedCaption, "");
        returnToIdleAfterPlayback();
        return;
    }
    playTimer->start(PlayTickMs);
    if (markerX == 0)
        setPane(0, "Начало: 0.0 сек.");
}

void Form2::playTick()
{
    if (state.idle() || !audio.isPlaying())
        return;
    cursorX = cursorOffset(audio.playedSamples(), soundSize(), viewWidth);
    const int at = playStartX + cursorX;
    followPlayback(at);
    label_2->setPlaybackCursor(shownColumn(at));
    slider_1->setValue(at);
    setPane(1, playbackText(at, soundSize(), viewWidth));
}

void Form2::returnToIdleAfterPlayback()
{
    setActivity(EditorActivity::Idle);
    playTimer->stop();
    label_2->setPlaybackCursor(std::nullopt);
    cursorX = NoCursor;
    if (playToEnd) {
        // A playback from the marker alone puts the marker back to the start.
        markerTimer->stop();
        setMarkerDrawn(false);
        markerX = 0;
        selectionEndX = NoSelectionEnd;
        updateHighlight();
    }
}

void Form2::playbackEnded()
{
    state.audioStarted = true;
    if (soundSize() > 0)
        slider_1->setValue(int(std::uint64_t(range.end) * viewWidth / soundSize()));
    if (state.mode == SoundEditorMode::Listen) {
        closeWithoutQuestion(); // the listen-only window ends with its playback
        return;
    }
    returnToIdleAfterPlayback();
    setPane(1, playedLengthText({markerX, selectionEndX}, soundSize(), viewWidth));
    if (closing == Closing::AfterStop)
        close();
}

void Form2::startRecording()
{
    if (!state.idle())
        return;
    state.audioStarted = true;
    setActivity(EditorActivity::Recording);
    closeGainAdjustment();

    const AudioStart started = audio.record(
        MaxRecordBytes / 2, [this](std::vector<std::int16_t> s) { recordingEnded(std::move(s)); });
    if (started != AudioStart::Started) {
        // Nothing was recorded: the sound and its modified state stay as they were.
        setActivity(EditorActivity::Idle);
        // The long-known message first, then which input failed and what to do about it.
        const std::string detail = recordingRefusalText(started, audio.inputName());
        if (started == AudioStart::NoDevice)
            warn(RecordFailedCaption, NoInputText + detail);
        else
            warn(BusyCaption, BusyText + detail);
        recordingPanel->refreshInputs();
        return;
    }
    state.modified = true;
    recordingSelection = {markerX, selectionEndX};
    recordingPanel->startTake();
    label_2->setGrowingTake({});
    showGrowingRuler(*label_3, label_2->width(), 0);
    setPane(1, recordingText(0));
    recordTimer->start(RecordTickMs);
}

void Form2::recordTick()
{
    if (state.idle() || !audio.isRecording())
        return;
    const std::span<const std::int16_t> soFar = audio.recordedSoFar();
    setPane(1, recordingText(soFar.size()));
    label_2->setGrowingTake(soFar);
    showGrowingRuler(*label_3, label_2->width(), soFar.size());
    recordingPanel->followTake(soFar);
    if (recordingMustStop(soFar.size()))
        audio.stop();
}

void Form2::recordingEnded(std::vector<std::int16_t> recorded)
{
    recordTimer->stop();
    recordingPanel->endTake();
    markerTimer->stop();
    setMarkerDrawn(false);
    const Selection after = editBuffer.spliceRecording(recordingSelection, recorded, viewWidth);
    markerX = after.markerX;
    selectionEndX = after.selectionEndX;
    redrawSound();
    updateHighlight();
    restartMarkerBlink();
    slider_1->setValue(selectionEndX);
    setSliderSelection(selectionEndX, markerX);
    state.hasSelection = markerX != selectionEndX;
    setActivity(EditorActivity::Idle);
    showSelectionText();
    if (closing == Closing::AfterStop)
        close();
}

void Form2::stopAudio()
{
    audio.stop();
}

} // namespace vorela
