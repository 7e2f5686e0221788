// Opening the sound editor, playback from the marker or a selection, the cursor, the compact
// window, and the editor without a sound card.
#include "Form2Fixture.h"

#include "soundeditor/window/WaveformView.h"

#include <QImage>

namespace vorela::test {
namespace {

using Form2PlaybackTest = Form2Fixture;

TEST_F(Form2PlaybackTest, ExistingLexemePlaysAtOnce)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceInPlayer);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Проигрыватель - Лексема"));
    ASSERT_TRUE(audio.isPlaying());
    EXPECT_EQ(audio.playedBlocks().at(0), oneSecond());
    EXPECT_FALSE(button(*form, "pictbttn_play")->isEnabled());
    EXPECT_TRUE(button(*form, "pictbttn_stop")->isEnabled());
    EXPECT_EQ(pane(*form, 0), QStringLiteral("Начало: 0.0 сек."));

    audio.advance(1000);
    EXPECT_TRUE(form->isIdle());
    EXPECT_TRUE(button(*form, "pictbttn_play")->isEnabled());
    EXPECT_FALSE(button(*form, "pictbttn_stop")->isEnabled());
    EXPECT_EQ(pane(*form, 1), QStringLiteral("Длина: 1.00 сек."));
    form->close(); // listened only: no question
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Form2PlaybackTest, NewEmptyLexemeDoesNotPlay)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::CreateInPlayer, "0002");
    ASSERT_TRUE(form);
    EXPECT_FALSE(audio.isPlaying());
    EXPECT_FALSE(button(*form, "pictbttn_play")->isEnabled());
    EXPECT_FALSE(button(*form, "pictbttn_stop")->isEnabled());
    EXPECT_TRUE(button(*form, "pictbttn_record")->isEnabled());
    EXPECT_EQ(pane(*form, 1), QStringLiteral("Длина: 0.0 сек."));
}

TEST_F(Form2PlaybackTest, PlayFromMarkerReturnsMarkerToStart)
{
    const std::unique_ptr<Form2> form = openListened();
    const int width = form->waveformWidth();
    click(waveform(*form), width / 2);
    EXPECT_EQ(shownSelection(*form), (Selection{width / 2, width / 2}));
    const auto *view = static_cast<WaveformView *>(waveform(*form));
    EXPECT_FALSE(view->marker()); // drawn about 100 ms after the click, then it stays
    form->markerTick();
    EXPECT_EQ(view->marker(), width / 2);
    button(*form, "pictbttn_play")->click();
    const Samples sound = oneSecond(); // pixel 246 stands for byte 7984
    EXPECT_EQ(audio.playedBlocks().back(), Samples(sound.begin() + 3992, sound.end()));
    audio.advance(1000);
    EXPECT_EQ(form->selection(), (Selection{0, NoSelectionEnd}));
    EXPECT_FALSE(view->marker());
}

TEST_F(Form2PlaybackTest, ReversedSelectionPlaysTheSameBytesFromItsLeftEnd)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 100, 300);
    button(*form, "pictbttn_play")->click();
    audio.advance(1000);
    drag(waveform(*form), 300, 100);
    EXPECT_EQ(shownSelection(*form), (Selection{300, 100}));
    button(*form, "pictbttn_play")->click();
    EXPECT_EQ(audio.playedBlocks()[2], audio.playedBlocks()[1]);
    audio.advance(250);
    form->playTick();
    const auto *cursorView = static_cast<WaveformView *>(waveform(*form));
    ASSERT_TRUE(cursorView->playbackCursor());
    EXPECT_EQ(*cursorView->playbackCursor(), 100 + 123); // 4000 of 16000 bytes in 493 pixels
    audio.advance(1000);
    EXPECT_EQ(shownSelection(*form), (Selection{300, 100})); // a selection stays selected
}

TEST_F(Form2PlaybackTest, CursorIsDrawnByInversion)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceInPlayer);
    audio.advance(500);
    form->playTick();
    auto *view = static_cast<WaveformView *>(waveform(*form));
    ASSERT_TRUE(view->playbackCursor());
    const int x = *view->playbackCursor();
    EXPECT_EQ(x, 246); // 8000 of 16000 bytes in 493 pixels
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage &drawn = view->waveformImage();
    for (const int y : {0, view->height() / 2, view->height() - 1}) {
        EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFFU, ~drawn.pixel(x, y) & 0xFFFFFFU) << y;
        EXPECT_EQ(shown.pixel(x + 3, y) & 0xFFFFFFU, drawn.pixel(x + 3, y) & 0xFFFFFFU) << y;
    }
    EXPECT_EQ(pane(*form, 1), QStringLiteral("Воспроизведение: 0.50 сек."));
}

TEST_F(Form2PlaybackTest, CompactWindowClosesAfterItsPlayback)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::Listen);
    EXPECT_FALSE(form->findChild<QWidget *>("slider_1")->isVisibleTo(form.get()));
    EXPECT_FALSE(form->findChild<QWidget *>("toolb_2")->isVisibleTo(form.get()));
    EXPECT_TRUE(form->isVisible());
    audio.advance(1000);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(ui.finished());
}

TEST_F(Form2PlaybackTest, WithoutSoundCardEachPlaySaysSoAndEditingGoesOn)
{
    audio.setOutputAvailable(false);
    ui.expectMessage(NoOutputText, MessageAnswer::Ok);
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceInPlayer);
    ASSERT_EQ(ui.messages().size(), 1U);
    EXPECT_EQ(ui.messages()[0].caption, "Ошибка проигровки блока аудиоданных!");
    EXPECT_TRUE(form->isIdle());

    ui.expectMessage(NoOutputText, MessageAnswer::Ok);
    button(*form, "pictbttn_play")->click();
    EXPECT_EQ(ui.messages().size(), 2U);

    audio.setInputAvailable(false);
    ui.expectMessage(NoInputText, MessageAnswer::Ok);
    button(*form, "pictbttn_record")->click();
    EXPECT_EQ(ui.messages().back().caption, "Ошибка записи аудиоданных");
    EXPECT_TRUE(form->isIdle());
    EXPECT_FALSE(form->isModified()); // nothing was recorded

    drag(waveform(*form), 0, 246); // bytes 0 .. 7984
    action(*form, "toolb_2_cut")->trigger();
    action(*form, "toolb_2_save")->trigger();
    EXPECT_EQ(bankSound("0001"), oneSecondWithout(0, 3992)); // saved unheard
    EXPECT_TRUE(ui.finished());
}

TEST_F(Form2PlaybackTest, BusyDeviceAtOpeningClosesTheWindow)
{
    audio.failNextPlay(AudioStart::Busy);
    ui.expectMessage(BusyText, MessageAnswer::Ok);
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceInPlayer);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ui.messages().at(0).caption, "Ошибка откpытия аудиоустpойства!");
}

TEST_F(Form2PlaybackTest, DeviceFailuresAfterOpeningReturnToIdle)
{
    const std::unique_ptr<Form2> form = openListened();
    struct Case {
        bool record;
        AudioStart failure;
        const char *caption;
        const std::string &text;
    };
    const std::string NoText;
    const std::string BusyInputText = BusyText + "Устройство записи «Test microphone» занято "
                                                 "другой программой. Закройте её или выберите "
                                                 "другое устройство.";
    const Case cases[] = {
        {false, AudioStart::Busy, "Ошибка откpытия аудиоустpойства!", BusyText},
        {false, AudioStart::Failed, "Ошибка подготовки блока аудиоданных!", NoText},
        {true, AudioStart::Busy, "Ошибка откpытия аудиоустpойства!", BusyInputText},
    };
    for (const Case &c : cases) {
        if (c.record)
            audio.failNextRecord(c.failure);
        else
            audio.failNextPlay(c.failure);
        ui.expectMessage(c.text, MessageAnswer::Ok);
        button(*form, c.record ? "pictbttn_record" : "pictbttn_play")->click();
        EXPECT_EQ(ui.messages().back().caption, c.caption);
        EXPECT_TRUE(form->isIdle());
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(button(*form, "pictbttn_play")->isEnabled());
    }
    EXPECT_EQ(current(*form), oneSecond());
}

TEST_F(Form2PlaybackTest, LexemeWithoutSoundIsNotOpenedForListening)
{
    // Only replacing it in the player opens it, empty, for recording.
    ui.expectMessage("Ошибка pаботы с файлом! (0004)", MessageAnswer::Ok);
    EXPECT_FALSE(openEditor(SoundEditorMode::Listen, "0077"));
    EXPECT_EQ(ui.messages().at(0).caption, "Проигрыватель - Лексема");
}

} // namespace
} // namespace vorela::test
