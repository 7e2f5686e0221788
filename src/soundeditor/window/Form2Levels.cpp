// The sound editor's whole-sound commands: cutting the silence at the ends and bringing the
// sound to the library's loudness, each one undoable step.
#include "soundeditor/window/Form2.h"

#include "audio/Loudness.h"
#include "audio/SilenceTrim.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "soundeditor/StatusText.h"
#include "stores/ChunkIds.h"

#include <QStatusBar>

#include <cmath>

namespace vorela {

static const std::string OnlySilenceText = "В звуке нет ничего, кроме тишины. Звук не изменён.";
static const std::string NoSilenceText = "Тишины в начале и в конце звука нет. Звук не изменён.";
static const std::string TooQuietToTrimText =
    "Звук слишком тихий, чтобы отличить слово от тишины: сначала выровняйте громкость. Звук не "
    "изменён.";
static const std::string AtPeakLimitText =
    "Громче звук не сделать: его пики уже у предела -1 dBTP. Звук не изменён.";
static const std::string AlreadyLevelText =
    "Громкость звука уже равна громкости библиотеки. Звук не изменён.";
static const std::string NotMeasuredText = "Не удалось измерить громкость звука. Звук не изменён.";
static const std::string GreetingText =
    "Приветствие заверено подписью, и любое изменение звука сделает подпись недействительной: "
    "такое приветствие не будет ни сохранено, ни воспроизведено. Звук не изменён.";

// A gain this small changes no sample audibly; a step for it would only lengthen the history.
static constexpr double NegligibleGainDb = 0.1;
// Long enough to read after the waveform has changed.
static constexpr int LevellingNoteMilliseconds = 15000;

static MessageRequest information(const std::string &caption, const std::string &text)
{
    return {caption, text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok};
}

bool Form2::refusesGreetingChange(const std::string &caption)
{
    if (chunkId != GreetingChunkId)
        return false;
    ui.showMessage(
        {caption, GreetingText, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
    return true;
}

void Form2::trimSilence()
{
    if (!enabledControls(state, soundFacts()).trimSilence ||
        refusesGreetingChange(toUtf8(windowTitle())))
        return;
    const std::span<const std::int16_t> sound = editBuffer.samples();
    const SampleRange kept = soundWithoutSilence(sound);
    if (kept.count == 0) {
        const std::string &text = isNearSilence(sound) ? OnlySilenceText : TooQuietToTrimText;
        ui.showMessage(information(toUtf8(windowTitle()), text));
        return;
    }
    if (kept.count == sound.size()) {
        ui.showMessage(information(toUtf8(windowTitle()), NoSilenceText));
        return;
    }
    const Selection before{markerX, selectionEndX == NoSelectionEnd ? markerX : selectionEndX};
    editBuffer.replace({sound.begin() + std::ptrdiff_t(kept.first),
                        sound.begin() + std::ptrdiff_t(kept.first + kept.count)},
                       before, {0, 0});
    showRestored({0, 0});
}

void Form2::levelLoudness()
{
    if (!enabledControls(state, soundFacts()).levelLoudness ||
        refusesGreetingChange(toUtf8(windowTitle())))
        return;
    const std::span<const std::int16_t> sound = editBuffer.samples();
    const std::optional<SoundMeasure> measure = measureSound(sound);
    if (!measure) {
        ui.showMessage(information(toUtf8(windowTitle()), NotMeasuredText));
        return;
    }
    const std::optional<double> gain = levellingGain(*measure);
    if (!gain) {
        ui.showMessage(information(toUtf8(windowTitle()), OnlySilenceText));
        return;
    }
    const bool peakLimited = stopsAtPeakLimit(*measure);
    if (std::abs(*gain) < NegligibleGainDb) {
        const std::string &text = peakLimited ? AtPeakLimitText : AlreadyLevelText;
        ui.showMessage(information(toUtf8(windowTitle()), text));
        return;
    }
    // The whole sound changes: the selection stays on the same part of it.
    const Selection kept{markerX, selectionEndX == NoSelectionEnd ? markerX : selectionEndX};
    editBuffer.replace(withGain(sound, *gain), kept, kept);
    showRestored(kept);
    if (peakLimited)
        showNote(peakLimitText(*measure->loudness + *gain), LevellingNoteMilliseconds);
}

} // namespace vorela
