// Recording into the sound, the 59.7-second limit, cut and undo through the toolbar, and the
// gain buttons with their auto-repeat.
#include "Form2Fixture.h"

#include "soundeditor/window/GainButton.h"

namespace vorela::test {
namespace {

class Form2EditTest : public Form2Fixture {
protected:
    Form2EditTest()
    {
        audio.setMicrophone([](std::size_t n) { return std::int16_t(1000 + n % 7); });
    }
    static Samples microphone(std::size_t count)
    {
        Samples samples(count);
        for (std::size_t n = 0; n < count; ++n)
            samples[n] = std::int16_t(1000 + n % 7);
        return samples;
    }
};

TEST_F(Form2EditTest, RecordingIntoANewLexemeSelectsItWhole)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::CreateInPlayer, "0002");
    button(*form, "pictbttn_record")->click();
    EXPECT_FALSE(button(*form, "pictbttn_play")->isEnabled());
    audio.advance(500);
    form->recordTick();
    EXPECT_EQ(pane(*form, 1), QStringLiteral("Запись:  0.5 сек."));
    button(*form, "pictbttn_stop")->click();
    audio.advance(0);
    EXPECT_TRUE(form->isIdle());
    EXPECT_EQ(current(*form), microphone(4000));
    EXPECT_EQ(form->selection(), (Selection{form->selectionWidth(), 0}));
    EXPECT_TRUE(action(*form, "toolb_2_save")->isEnabled());
    EXPECT_TRUE(action(*form, "toolb_2_undo")->isEnabled());
    EXPECT_TRUE(action(*form, "toolb_2_cut")->isEnabled());

    action(*form, "toolb_2_undo")->trigger();
    EXPECT_TRUE(current(*form).empty());
    EXPECT_FALSE(button(*form, "pictbttn_play")->isEnabled());
}

TEST_F(Form2EditTest, RecordingInsertsAtTheMarkerOrReplacesTheSelection)
{
    const std::unique_ptr<Form2> form = openListened();
    const Samples before = oneSecond();
    const Samples recorded = microphone(2000);
    // Pixels 100, 200 and 300 stand for bytes 3246, 6490 and 9736.
    const auto spliced = [&](std::ptrdiff_t from, std::ptrdiff_t to) {
        Samples expected(before.begin(), before.begin() + from);
        expected.insert(expected.end(), recorded.begin(), recorded.end());
        expected.insert(expected.end(), before.begin() + to, before.end());
        return expected;
    };

    click(waveform(*form), 100);
    button(*form, "pictbttn_record")->click();
    audio.advance(250);
    button(*form, "pictbttn_stop")->click();
    audio.advance(0);
    EXPECT_EQ(current(*form), spliced(1623, 1623));

    action(*form, "toolb_2_undo")->trigger(); // back to the sound before recording
    EXPECT_EQ(current(*form), before);
    EXPECT_EQ(shownSelection(*form), (Selection{100, 100}));

    drag(waveform(*form), 300, 200); // reversed: the same bytes are replaced
    button(*form, "pictbttn_record")->click();
    audio.advance(250);
    button(*form, "pictbttn_stop")->click();
    audio.advance(0);
    EXPECT_EQ(current(*form), spliced(3245, 4868));
}

TEST_F(Form2EditTest, RecordingStopsItselfAtTheLimit)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::CreateInPlayer, "0002");
    button(*form, "pictbttn_record")->click();
    for (int ms = 0; ms < 61000 && !form->isIdle(); ms += 100) {
        audio.advance(100);
        form->recordTick();
        audio.advance(0);
    }
    EXPECT_TRUE(form->isIdle());
    EXPECT_EQ(form->samples().size(), 477600U); // 59.7 s

    // Even without the clock's ticks the capture holds at most 960000 bytes.
    const std::unique_ptr<Form2> second = openEditor(SoundEditorMode::CreateInPlayer, "0003");
    button(*second, "pictbttn_record")->click();
    audio.advance(70000);
    EXPECT_EQ(second->samples().size() * 2, MaxRecordBytes);
}

TEST_F(Form2EditTest, CutCropUndoRedoThroughTheToolbar)
{
    const std::unique_ptr<Form2> form = openListened();
    QAction *cut = action(*form, "toolb_2_cut");
    QAction *crop = action(*form, "toolb_2_crop");
    QAction *undo = action(*form, "toolb_2_undo");
    EXPECT_FALSE(cut->isEnabled());
    drag(waveform(*form), 50, 51); // one pixel selects nothing
    EXPECT_FALSE(cut->isEnabled());
    EXPECT_FALSE(crop->isEnabled());
    drag(waveform(*form), 50, 150); // bytes 1622 .. 4868
    EXPECT_TRUE(cut->isEnabled());
    EXPECT_TRUE(crop->isEnabled());
    EXPECT_EQ(pane(*form, 0), QStringLiteral("Выделено: 0.10 - 0.30 сек."));
    cut->trigger();
    const Samples afterCut = oneSecondWithout(811, 2434);
    EXPECT_EQ(current(*form), afterCut);
    EXPECT_TRUE(form->isModified());
    EXPECT_FALSE(cut->isEnabled());

    undo->trigger();
    EXPECT_EQ(current(*form), oneSecond());
    EXPECT_EQ(shownSelection(*form), (Selection{50, 150}));
    QAction *redo = action(*form, "toolb_2_redo");
    EXPECT_FALSE(undo->isEnabled());
    redo->trigger();
    EXPECT_EQ(current(*form), afterCut);
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(crop->isEnabled()); // the restored selection can be worked on again

    crop->trigger();
    const Samples sound = oneSecond();
    EXPECT_EQ(current(*form), Samples(sound.begin() + 811, sound.begin() + 2434));
    EXPECT_EQ(form->selection(), (Selection{0, 0}));
    EXPECT_EQ(pane(*form, 0), QStringLiteral("Начало: 0.0 сек."));
    EXPECT_EQ(pane(*form, 1), QStringLiteral("Длина: 0.20 сек."));
    EXPECT_FALSE(crop->isEnabled());
    EXPECT_TRUE(action(*form, "toolb_2_save")->isEnabled());
    undo->trigger();
    EXPECT_EQ(current(*form), oneSecond());

    drag(waveform(*form), 0, form->waveformWidth());
    cut->trigger();
    EXPECT_TRUE(current(*form).empty());
    EXPECT_FALSE(button(*form, "pictbttn_play")->isEnabled());
    undo->trigger();
    EXPECT_EQ(current(*form), oneSecond());
    EXPECT_TRUE(button(*form, "pictbttn_play")->isEnabled());
}

TEST_F(Form2EditTest, GainButtonRepeatsWhileHeldAndIsOneStep)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 0, form->waveformWidth());
    auto *up = form->findChild<GainButton *>("label_up");
    ASSERT_TRUE(up->isActive());
    sendMouse(up, QEvent::MouseButtonPress, 5, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(pane(*form, 2), QStringLiteral("  +6.25%"));
    for (int tick = 0; tick < 9; ++tick)
        form->gainTick();
    EXPECT_EQ(pane(*form, 2), QStringLiteral(" +62.50%"));
    sendMouse(up, QEvent::MouseMove, 500, Qt::NoButton, Qt::LeftButton); // pointer left: pause
    form->gainTick();
    EXPECT_EQ(pane(*form, 2), QStringLiteral(" +62.50%"));
    sendMouse(up, QEvent::MouseButtonRelease, 500, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form->samples()[1], -31687); // -19500 raised by 62.5 %, truncated

    const Samples raised = current(*form);
    action(*form, "toolb_2_undo")->trigger();
    EXPECT_EQ(current(*form), oneSecond());
    EXPECT_TRUE(pane(*form, 2).isEmpty());
    EXPECT_FALSE(action(*form, "toolb_2_undo")->isEnabled());
    action(*form, "toolb_2_redo")->trigger();
    EXPECT_EQ(current(*form), raised);
}

TEST_F(Form2EditTest, GainDownStopsItselfAtSilence)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 0, form->waveformWidth());
    auto *down = form->findChild<GainButton *>("label_dn");
    sendMouse(down, QEvent::MouseButtonPress, 5, Qt::LeftButton, Qt::LeftButton);
    for (int tick = 0; tick < 30; ++tick)
        form->gainTick();
    EXPECT_EQ(pane(*form, 2), QStringLiteral("-100.00%"));
    EXPECT_FALSE(down->isActive());
    EXPECT_EQ(current(*form), Samples(oneSecond().size(), 0));
    sendMouse(down, QEvent::MouseButtonRelease, 5, Qt::LeftButton, Qt::NoButton);
}

TEST_F(Form2EditTest, AGainButtonAtItsLimitStaysOffUntilTheAdjustmentCloses)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 0, form->waveformWidth());
    auto *down = form->findChild<GainButton *>("label_dn");
    auto *up = form->findChild<GainButton *>("label_up");
    sendMouse(down, QEvent::MouseButtonPress, 5, Qt::LeftButton, Qt::LeftButton);
    for (int tick = 0; tick < 20; ++tick)
        form->gainTick();
    sendMouse(down, QEvent::MouseButtonRelease, 5, Qt::LeftButton, Qt::NoButton);
    ASSERT_FALSE(down->isActive());

    button(*form, "pictbttn_play")->click(); // listening changes nothing
    EXPECT_FALSE(down->isActive());
    audio.advance(1000);
    EXPECT_FALSE(down->isActive());
    EXPECT_TRUE(up->isActive());

    action(*form, "toolb_2_save")->trigger(); // a new adjustment starts from 0 %
    EXPECT_TRUE(down->isActive());
    EXPECT_TRUE(up->isActive());
}

} // namespace
} // namespace vorela::test
