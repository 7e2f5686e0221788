// A data directory with a bank holding lexeme "0001", scripted dialogs, the virtual sound card,
// and helpers that drive Form2 through its objectNames.
#pragma once

#include "platform/VirtualAudioDevice.h"
#include "soundbank/RiffBytes.h"
#include "soundbank/SoundBank.h"
#include "soundbank/WaveFile.h"
#include "soundeditor/EditorModes.h"
#include "soundeditor/window/Form2.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <vector>

namespace vorela::test {

/// Scripted answers that hold every message to its whole text: the texts mix Latin letters that
/// look Cyrillic into their words, and a fragment would let a lost or changed one through.
class WholeTextUi : public ScriptedUiServices {
public:
    void expectMessage(std::string text, MessageAnswer answer)
    {
        wholeTexts.push_back(text);
        ScriptedUiServices::expectMessage(std::move(text), answer);
    }

    MessageAnswer showMessage(const MessageRequest &request) override
    {
        if (!wholeTexts.empty()) {
            EXPECT_EQ(request.text, wholeTexts.front());
            wholeTexts.pop_front();
        }
        return ScriptedUiServices::showMessage(request);
    }

private:
    std::deque<std::string> wholeTexts;
};

using Samples = std::vector<std::int16_t>;

inline Bytes sampleBytes(const Samples &samples)
{
    Bytes out;
    for (const std::int16_t sample : samples)
        putU16(out, static_cast<std::uint16_t>(sample));
    return out;
}

/// One second of a sawtooth: 16000 bytes.
inline Samples oneSecond()
{
    Samples samples(8000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>((int(i % 80) - 40) * 500);
    return samples;
}

/// The one-second sound with its samples [from, to) cut out.
inline Samples oneSecondWithout(std::size_t from, std::size_t to)
{
    Samples samples = oneSecond();
    samples.erase(samples.begin() + std::ptrdiff_t(from), samples.begin() + std::ptrdiff_t(to));
    return samples;
}

/// The waveform area: the 495-pixel frame less its one-pixel border on each side. A pixel p
/// of the one-second sound stands for byte p * 16000 / 493, rounded up to even.
inline constexpr int ViewWidth = 493;

inline const std::string SaveQuestion = "Вы желаете сохpанить изменения?";
inline const std::string NoOutputText =
    "Ошибка открытия устройства воспроизведения.\r\nЗвуковая карта отсутствует,занята или не "
    "поддерживает данный формат.\r\nТем не менее Вы можете редактировать данные и сохранять их "
    "\"вслепую\".";
inline const std::string BusyText =
    "Возможно оно занято дpугим пpиложением.\r\nЗакpойте все дpугие пpиложения, пpоигывающие "
    "звук и повтоpите попытку.\r\n";
inline const std::string RecordOpenFailedText =
    "Ошибка открытия устройства записи.\r\nЗвуковая карта отсутствует или занята.\r\n";
inline const std::string NoInputText =
    RecordOpenFailedText +
    "Не найдено ни одного устройства записи. Подключите микрофон и начните запись снова.";

class Form2Fixture : public ::testing::Test {
protected:
    Form2Fixture()
    {
        writeFile(dir.dataDirectory().productBank(),
                  bank({chunk("0001", sampleBytes(oneSecond()))}));
    }

    /// Opens the editor as its opener would and shows it (which starts the playback).
    std::unique_ptr<Form2> openEditor(SoundEditorMode mode, const std::string &chunkId = "0001",
                                      const std::filesystem::path &file = {})
    {
        return openEditorWith(context, mode, chunkId, file);
    }

    static std::unique_ptr<Form2> openEditorWith(const SoundEditorContext &with,
                                                 SoundEditorMode mode, const std::string &chunkId,
                                                 const std::filesystem::path &file = {})
    {
        const EditorModeInputs inputs = editorModeInputs(mode, "Лексема", file.stem().string());
        auto form = std::make_unique<Form2>(with);
        form->SetNewEmpty(inputs.newEmpty);
        form->SetNewFromFile(inputs.newFromFile);
        form->SetWindowTitle(inputs.windowTitle);
        form->SetSourceIsFile(inputs.sourceIsFile);
        form->SetSourcePath(file);
        form->SetChunkId(chunkId);
        form->SetFullControls(inputs.fullControls);
        form->SetImportPending(inputs.importPending);
        if (!form->prepare())
            return nullptr;
        form->show();
        QCoreApplication::processEvents(); // the automatic playback
        return form;
    }

    /// Opens lexeme "0001" for replacing and lets its automatic playback end.
    std::unique_ptr<Form2> openListened()
    {
        std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceInPlayer);
        audio.advance(5000);
        EXPECT_EQ(form->waveformWidth(), ViewWidth);
        return form;
    }

    Samples bankSound(const std::string &chunkId) const
    {
        return bankSoundIn(dir.dataDirectory(), chunkId);
    }

    static Samples bankSoundIn(const DataDirectory &data, const std::string &chunkId)
    {
        WaveFile file;
        std::vector<std::uint8_t> bytes;
        if (!file.Open(data.productBank()) || !file.ReadChunk(chunkId, bytes))
            return {};
        Samples samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    static Samples current(const Form2 &form)
    {
        return {form.samples().begin(), form.samples().end()};
    }

    /// The selection as screen columns of the waveform at the editor's zoom.
    static Selection shownSelection(const Form2 &form)
    {
        const Selection selection = form.selection();
        return {form.zoom().columnOf(selection.markerX),
                form.zoom().columnOf(selection.selectionEndX)};
    }
    /// The bytes the editor's selection covers; empty for the marker alone.
    static ByteRange selectedBytesIn(const Form2 &form)
    {
        return selectedBytes(form.selection(), std::uint32_t(form.samples().size() * 2),
                             form.selectionWidth());
    }

    static QWidget *waveform(Form2 &form) { return form.findChild<QWidget *>("label_2"); }
    static QAction *action(Form2 &form, const char *name)
    {
        return form.findChild<QAction *>(name);
    }
    static QToolButton *button(Form2 &form, const char *name)
    {
        return form.findChild<QToolButton *>(name);
    }
    static QString pane(Form2 &form, int index)
    {
        return form.findChild<QLabel *>(QStringLiteral("pane_%1").arg(index))->text();
    }

    static void sendMouse(QWidget *widget, QEvent::Type type, int x, Qt::MouseButton button,
                          Qt::MouseButtons held)
    {
        const QPointF at(x, 10);
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    static void click(QWidget *widget, int x)
    {
        sendMouse(widget, QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton);
        sendMouse(widget, QEvent::MouseButtonRelease, x, Qt::LeftButton, Qt::NoButton);
    }

    static void drag(QWidget *widget, int from, int to)
    {
        sendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        sendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        sendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    TempDataDir dir;
    WholeTextUi ui;
    VirtualAudioDevice audio;
    SoundBank soundBank{dir.dataDirectory(), ui};
    SoundEditorContext context{soundBank, ui, audio, dir.dataDirectory()};
};

} // namespace vorela::test
