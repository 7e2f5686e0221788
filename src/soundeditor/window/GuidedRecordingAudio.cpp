// Guided recording's use of the sound card: the take recorded, prepared and played back.
#include "soundeditor/window/GuidedRecording.h"

#include "audio/SampleMath.h"
#include "audio/SilenceTrim.h"
#include "platform/AudioDevice.h"
#include "platform/UiServices.h"
#include "soundeditor/RecordedTake.h"
#include "soundeditor/RecordingRefusal.h"
#include "soundeditor/StatusText.h"
#include "soundeditor/window/RecordingPanel.h"
#include "soundeditor/window/WaveformView.h"

#include <QCheckBox>
#include <QTimer>

namespace vorela {

static const std::string SilentText =
    "В записи нет ничего, кроме тишины, и она не сохранена. Запишите слово ещё раз.";
static const std::string TooQuietText =
    "Запись слишком тихая: слово в ней не слышно, и она не сохранена. Говорите громче или ближе "
    "к микрофону и запишите слово ещё раз.";
static const std::string NoOutputText =
    "Запись не удалось воспроизвести: устройство воспроизведения отсутствует или занято. "
    "Её можно сохранить и без прослушивания.";
static const std::string RecordingHint = "Идёт запись. Пробел или «Остановить» — закончить.";

/// The meter and the growing waveform follow the take 20 times a second.
static constexpr int RecordTickMs = 50;

void GuidedRecording::startRecording()
{
    if (!hasWord() || activity != Activity::Idle)
        return;
    if (!pendingTake.empty())
        discardTake(); // R over a take waiting for saving means recording the word anew
    const AudioStart started =
        context.audio.record(MaxRecordBytes / 2, [this](std::vector<std::int16_t> samples) {
            recordingEnded(std::move(samples));
        });
    if (started != AudioStart::Started) {
        warn(recordingRefusalText(started, context.audio.inputName()));
        recordingPanel->refreshInputs();
        return;
    }
    activity = Activity::Recording;
    recordingPanel->startTake();
    label_wave->setGrowingTake({});
    setHint(recordingText(0) + " " + RecordingHint);
    recordTimer->start(RecordTickMs);
    applyControls();
}

void GuidedRecording::recordTick()
{
    if (activity != Activity::Recording)
        return;
    const std::span<const std::int16_t> soFar = context.audio.recordedSoFar();
    setHint(recordingText(soFar.size()) + " " + RecordingHint);
    label_wave->setGrowingTake(soFar);
    recordingPanel->followTake(soFar);
    if (recordingMustStop(soFar.size()))
        context.audio.stop();
}

void GuidedRecording::recordingEnded(std::vector<std::int16_t> recorded)
{
    recordTimer->stop();
    recordingPanel->endTake();
    activity = Activity::Idle;
    const Levelling levelling = cb_level->isChecked() ? Levelling::On : Levelling::Off;
    std::optional<std::vector<std::int16_t>> prepared = preparedTake(recorded, levelling);
    if (!prepared) {
        showWord();
        warn(isNearSilence(recorded) ? SilentText : TooQuietText);
        if (finishAfterAudio)
            closeNow();
        return;
    }
    pendingTake = std::move(*prepared);
    showTake();
    if (finishAfterAudio) {
        finishAfterAudio = false;
        finish();
        return;
    }
    playTake();
}

void GuidedRecording::playTake()
{
    if (activity != Activity::Idle || pendingTake.empty())
        return;
    const AudioStart started = context.audio.play(pendingTake, {}, [this] { playbackEnded(); });
    if (started != AudioStart::Started) {
        warn(NoOutputText);
        return;
    }
    activity = Activity::Playing;
    applyControls();
}

void GuidedRecording::playbackEnded()
{
    activity = Activity::Idle;
    applyControls();
}

void GuidedRecording::stopOrPlay()
{
    if (activity != Activity::Idle) {
        context.audio.stop();
        return;
    }
    playTake();
}

void GuidedRecording::dropPlayback()
{
    if (activity != Activity::Playing)
        return;
    // The take is about to change or go: its playback must not read it any more.
    context.audio.abandon();
    activity = Activity::Idle;
    applyControls();
}

} // namespace vorela
