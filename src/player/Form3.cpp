#include "player/Form3.h"

#include "platform/AudioDevice.h"
#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TreeItemFont.h"
#include "player/TreeMarkers.h"
#include "soundeditor/window/FormErrorVerify.h"
#include "stores/KeySequence.h"
#include "verification/Verification.h"

#include <QTreeWidget>

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

Form3::Form3(AudioDevice &audioDevice, UiServices &uiServices, DataDirectory dataDirectory,
             std::string caption, QObject *parent)
    : QObject(parent), audio(audioDevice), ui(uiServices), directory(std::move(dataDirectory)),
      playerCaption(std::move(caption))
{
    setObjectName("Form3");
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

bool Form3::start(std::vector<std::string> sequence, QTreeWidget *tree, bool checkBankFormat)
{
    if (playing)
        return false;
    keys.assign(std::make_move_iterator(sequence.begin()), std::make_move_iterator(sequence.end()));
    markerTree = tree;
    itemHandle = 0;
    formatCheck = checkBankFormat ? FormatCheck::BankFormat : FormatCheck::Skip;
    stopRequested = false;
    playing = true;
    advance();
    return true;
}

void Form3::stop()
{
    stopRequested = true;
    if (audio.isPlaying())
        audio.stop();
}

// Marks and silent entries are taken at once; the first chunk is played and the sequence goes on
// when the device reports its end. Stop requests are honoured between lexemes.
void Form3::advance()
{
    while (!keys.empty()) {
        const std::string key = std::move(keys.front());
        keys.pop_front();
        switch (keyKind(key)) {
        case KeyKind::Marker:
            if (const std::optional<std::uint64_t> handle = markerHandle(key))
                markItem(*handle);
            continue;
        case KeyKind::Silent:
            if (stopRequested)
                break;
            continue;
        case KeyKind::Chunk:
            if (playLexeme(key))
                return;
            break;
        }
        break;
    }
    finish();
}

void Form3::lexemeDone()
{
    currentSound.clear();
    if (stopRequested) {
        finish();
        return;
    }
    advance();
}

bool Form3::playLexeme(const std::string &chunkId)
{
    LexemeSound sound =
        readSpokenLexeme(directory.productBank(), chunkId, formatCheck, greetingCheck);
    if (!sound.ok()) {
        showReadError(sound.error);
        return false;
    }
    const AudioFormat format{static_cast<int>(sound.format.samplesPerSecond),
                             static_cast<int>(sound.format.channels)};
    // Without a sound card nothing plays and nothing is said.
    if (!audio.canPlay(format))
        return false;
    currentSound = std::move(sound.samples);
    switch (audio.play(currentSound, format, [this] { lexemeDone(); })) {
    case AudioStart::Started:
        return true;
    case AudioStart::NoDevice:
        return false;
    case AudioStart::Busy:
        warn(BusyCaption, BusyText);
        return false;
    case AudioStart::Failed:
        // No completion follows a refused block: end as for a busy device.
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

// Clears the bold marks of the last marked item and of its siblings: the whole template.
void Form3::clearMarks()
{
    if (markerTree == nullptr)
        return;
    const QTreeWidgetItem *item = findTreeItem(*markerTree, itemHandle);
    if (item == nullptr)
        return;
    QTreeWidgetItem *parent = item->parent();
    const int count = parent != nullptr ? parent->childCount() : markerTree->topLevelItemCount();
    for (int index = 0; index < count; ++index)
        setItemBold(parent != nullptr ? *parent->child(index) : *markerTree->topLevelItem(index),
                    false);
}

void Form3::finish()
{
    keys.clear();
    currentSound.clear();
    clearMarks();
    stopRequested = true;
    playing = false;
    emit finished();
}

} // namespace vorela
