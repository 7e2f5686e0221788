#include "player/Form3.h"

#include "platform/AudioDevice.h"
#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TreeItemFont.h"
#include "player/TreeMarkers.h"
#include "soundeditor/window/FormErrorVerify.h"
#include "verification/Verification.h"

#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

namespace vorela {

static constexpr const char *OpenFailedText = "Ошибка откpытия файла!";
static constexpr const char *FileErrorText = "Ошибка pаботы с файлом! ";
static constexpr const char *WrongFormatCaption = "Недопустимый формат файла!";
static constexpr const char *WrongFormatText =
    "Файл должен быть записан в следующем формате:      \r\n\r\nЧастота дискретизации:  8кГц\r\n"
    "Моно\r\nТип оцифровки:                 PCM 16 bit\r\n";
static constexpr const char *BusyCaption = "Ошибка откpытия аудиоустpойства!";
static constexpr const char *BusyText =
    "Возможно оно занято дpугим пpиложением.\r\nЗакpойте все дpугие пpиложения, "
    "пpоигрывающие звук и повтоpите попытку.\r\n";
static constexpr const char *BlockFailedCaption = "Ошибка пpоигpывания блока аудиоданных!";

// Often enough that the bold mark keeps up with a short word.
static constexpr int MarkerIntervalMs = 40;

Form3::Form3(AudioDevice &audioDevice, UiServices &uiServices, DataDirectory dataDirectory,
             std::string caption, QObject *parent)
    : QObject(parent), audio(audioDevice), ui(uiServices), directory(std::move(dataDirectory)),
      playerCaption(std::move(caption)), markerTimer(new QTimer(this))
{
    setObjectName("Form3");
    markerTimer->setObjectName("markerTimer");
    markerTimer->setInterval(MarkerIntervalMs);
    connect(markerTimer, &QTimer::timeout, this, &Form3::showSpokenItem);
    greetingCheck = [this](std::span<const std::int16_t> samples) {
        return Verification(directory).VerifySound(samples);
    };
}

Form3::~Form3()
{
    // The device must not call back into a player that is gone.
    if (playing)
        audio.abandon();
}

// The whole sequence is read first and played as one block: a device opened per lexeme leaves
// pauses the subscriber never hears.
bool Form3::start(const std::vector<std::string> &keys, QTreeWidget *tree, bool checkBankFormat)
{
    if (playing)
        return false;
    markerTree = tree;
    itemHandle.reset();
    playing = true;
    const FormatCheck check = checkBankFormat ? FormatCheck::BankFormat : FormatCheck::Skip;
    speech = renderKeySequence(directory.productBank(), keys, greetingCheck, check);
    if (!speech.ok()) {
        // The item holding the faulty lexeme stays bold while its message is shown.
        if (!speech.items.empty())
            markItem(speech.items.back().marker);
        showReadError(speech.failure);
        finish();
        return true;
    }
    if (lineCoding)
        passPhoneLine(speech.samples, *lineCoding);
    if (!playSpeech()) {
        finish();
        return true;
    }
    showSpokenItem();
    markerTimer->start();
    return true;
}

void Form3::stop()
{
    if (playing && audio.isPlaying())
        audio.stop();
}

void Form3::showSpokenItem()
{
    if (!playing)
        return;
    const std::size_t channels = std::max<std::size_t>(1, speech.format.channels);
    const std::optional<std::uint64_t> spoken =
        itemAt(speech.items, audio.playedSamples() * channels);
    if (spoken == itemHandle)
        return;
    clearMarks();
    if (spoken)
        markItem(*spoken);
}

// False when nothing plays: a sequence without sound, no sound card, or a device failure (after
// its message).
bool Form3::playSpeech()
{
    if (speech.samples.empty())
        return false;
    const AudioFormat format{static_cast<int>(speech.format.samplesPerSecond),
                             static_cast<int>(speech.format.channels)};
    // Without a sound card nothing plays and nothing is said.
    if (!audio.canPlay(format))
        return false;
    switch (audio.play(speech.samples, format, [this] { finish(); })) {
    case AudioStart::Started:
        return true;
    case AudioStart::NoDevice:
        return false;
    case AudioStart::Busy:
        warn(BusyCaption, BusyText);
        return false;
    case AudioStart::Failed:
        warn(BlockFailedCaption, "");
        return false;
    }
    return false;
}

// The four-digit code by which a bank fault is named, or nothing for the faults with a text.
static const char *fileErrorCode(LexemeReadError error)
{
    switch (error) {
    case LexemeReadError::NoForm:
        return "(0001)";
    case LexemeReadError::NoFormat:
        return "(0002)";
    case LexemeReadError::FormatShort:
        return "(0003)";
    case LexemeReadError::NoChunk:
        return "(0004)";
    case LexemeReadError::EmptyChunk:
        return "(0005)";
    case LexemeReadError::ChunkShort:
        return "(0006)";
    default:
        return nullptr;
    }
}

void Form3::showReadError(LexemeReadError error)
{
    if (error == LexemeReadError::OpenFailed)
        warn(playerCaption, OpenFailedText);
    else if (error == LexemeReadError::WrongFormat)
        warn(WrongFormatCaption, WrongFormatText);
    else if (error == LexemeReadError::NotCertified)
        showVerifyRefusal();
    else if (const char *code = fileErrorCode(error))
        warn(playerCaption, std::string(FileErrorText) + code);
}

void Form3::showVerifyRefusal()
{
    FormErrorVerify refusal(qobject_cast<QWidget *>(parent()));
    refusal.SetCaption(toQString(playerCaption));
    QtModalDialog modal(refusal, "FormErrorVerify");
    ui.runDialog(modal);
}

void Form3::warn(const std::string &caption, const std::string &text)
{
    ui.showMessage({caption, text, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

void Form3::markItem(std::uint64_t handle)
{
    itemHandle = handle;
    if (markerTree == nullptr)
        return;
    QTreeWidgetItem *item = findTreeItem(*markerTree, handle);
    if (item == nullptr)
        return;
    setItemBold(*item, true);
    markerTree->scrollToItem(item);
}

void Form3::clearMarks()
{
    const std::optional<std::uint64_t> handle = std::exchange(itemHandle, std::nullopt);
    if (!handle || markerTree == nullptr)
        return;
    if (QTreeWidgetItem *item = findTreeItem(*markerTree, *handle))
        setItemBold(*item, false);
}

void Form3::finish()
{
    markerTimer->stop();
    clearMarks();
    speech = {};
    playing = false;
    emit finished();
}

} // namespace vorela
