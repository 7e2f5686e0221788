// The editor's keys, pressed as the operator does (through the window, with the focus left on
// the record button): each does what its button does, and only while that button is enabled.
#include "Form2Fixture.h"

#include <QTest>

namespace vorela::test {
namespace {

class Form2KeysTest : public Form2Fixture {
protected:
    Form2KeysTest()
    {
        audio.setMicrophone([](std::size_t) { return std::int16_t(77); });
    }

    /// The window made active with the focus on its record button, where a click leaves it.
    static void focusRecordButton(Form2 &form)
    {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        button(form, "pictbttn_record")->setFocus();
        ASSERT_TRUE(button(form, "pictbttn_record")->hasFocus());
    }

    static void press(Form2 &form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form.windowHandle(), key, modifiers);
    }

    void stopAndSettle(Form2 &form)
    {
        form.stopAudio();
        audio.advance(0);
        ASSERT_TRUE(form.isIdle());
    }
};

TEST_F(Form2KeysTest, SpacePlaysAndStopsButNeverRecords)
{
    const std::unique_ptr<Form2> form = openListened();
    focusRecordButton(*form);
    press(*form, Qt::Key_Space);
    EXPECT_TRUE(audio.isPlaying());
    EXPECT_FALSE(audio.isRecording());
    press(*form, Qt::Key_Space);
    audio.advance(0);
    EXPECT_TRUE(form->isIdle());
    EXPECT_EQ(audio.playedBlocks().size(), 2U); // the automatic playback and the one by key

    // With nothing to play, Space does nothing at all.
    const std::unique_ptr<Form2> empty = openEditor(SoundEditorMode::CreateInPlayer, "0002");
    focusRecordButton(*empty);
    press(*empty, Qt::Key_Space);
    EXPECT_TRUE(empty->isIdle());
    EXPECT_TRUE(empty->samples().empty());
}

TEST_F(Form2KeysTest, RecordKeyRecordsOnlyWhenRecordingIsEnabled)
{
    const std::unique_ptr<Form2> form = openListened();
    focusRecordButton(*form);
    press(*form, Qt::Key_Space);
    press(*form, Qt::Key_R); // playing: record is disabled
    EXPECT_FALSE(audio.isRecording());
    stopAndSettle(*form);

    press(*form, Qt::Key_R);
    EXPECT_TRUE(audio.isRecording());
    audio.advance(100);
    press(*form, Qt::Key_Space); // stops the recording as the stop button does
    audio.advance(0);
    EXPECT_TRUE(form->isIdle());
    Samples expected(800, 77);
    const Samples before = oneSecond();
    expected.insert(expected.end(), before.begin(), before.end());
    EXPECT_EQ(current(*form), expected);
}

TEST_F(Form2KeysTest, EditKeysDoWhatTheirButtonsDo)
{
    const std::unique_ptr<Form2> form = openListened();
    focusRecordButton(*form);
    // Pixels 100 and 200 stand for samples 1623 and 3245.
    for (const QKeyCombination cut :
         {QKeyCombination(Qt::Key_Delete), QKeyCombination(Qt::ControlModifier, Qt::Key_X)}) {
        drag(waveform(*form), 100, 200);
        press(*form, cut.key(), cut.keyboardModifiers());
        EXPECT_EQ(current(*form), oneSecondWithout(1623, 3245));
        press(*form, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(current(*form), oneSecond());
    }

    press(*form, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form->selection(), (Selection{0, form->selectionWidth()}));
    EXPECT_TRUE(action(*form, "toolb_2_crop")->isEnabled());
    press(*form, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(form->samples().empty());
    press(*form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(current(*form), oneSecond());

    drag(waveform(*form), 100, 200);
    press(*form, Qt::Key_Delete);
    press(*form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(bankSound("0001"), oneSecondWithout(1623, 3245));
    EXPECT_FALSE(action(*form, "toolb_2_save")->isEnabled());
}

TEST_F(Form2KeysTest, KeysOfDisabledButtonsDoNothing)
{
    const std::unique_ptr<Form2> form = openListened();
    focusRecordButton(*form);
    press(*form, Qt::Key_Delete);                 // marker only: nothing to cut
    press(*form, Qt::Key_Z, Qt::ControlModifier); // nothing to undo
    EXPECT_EQ(current(*form), oneSecond());

    drag(waveform(*form), 100, 200);
    press(*form, Qt::Key_Space);
    ASSERT_TRUE(audio.isPlaying());
    press(*form, Qt::Key_Delete);
    press(*form, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(current(*form), oneSecond());
    EXPECT_EQ(shownSelection(*form), (Selection{100, 200}));
    stopAndSettle(*form);

    press(*form, Qt::Key_Delete);
    press(*form, Qt::Key_Space);
    ASSERT_TRUE(audio.isPlaying());
    press(*form, Qt::Key_S, Qt::ControlModifier);
    press(*form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bankSound("0001"), oneSecond());
    EXPECT_EQ(current(*form), oneSecondWithout(1623, 3245));
    stopAndSettle(*form);
}

} // namespace
} // namespace vorela::test
