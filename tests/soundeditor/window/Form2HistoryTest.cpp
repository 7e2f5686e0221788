// The editor's undo history through its keys: every kind of edit one step back to the sound as
// opened, redo given up by a new edit, the keys working only while the rules allow them, the
// memory budget, and the two whole-sound commands.
#include "Form2Fixture.h"

#include "audio/Loudness.h"
#include "soundeditor/EditHistory.h"
#include "soundeditor/window/GainButton.h"

#include <QTest>

namespace vorela::test {
namespace {

const std::string OnlySilenceText = "В звуке нет ничего, кроме тишины. Звук не изменён.";
const std::string GreetingText =
    "Приветствие заверено подписью, и любое изменение звука сделает подпись недействительной: "
    "такое приветствие не будет ни сохранено, ни воспроизведено. Звук не изменён.";

class Form2HistoryTest : public Form2Fixture {
protected:
    Form2HistoryTest()
    {
        audio.setMicrophone([](std::size_t) { return std::int16_t(0); }); // a quiet room
    }

    static void activate(Form2 &form)
    {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    static void press(Form2 &form, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(form.windowHandle(), key, modifiers);
    }
    static void undoKey(Form2 &form) { press(form, Qt::Key_Z, Qt::ControlModifier); }
    static void redoKey(Form2 &form) { press(form, Qt::Key_Y, Qt::ControlModifier); }

    void recordAtTheStart(Form2 &form, int ms)
    {
        click(waveform(form), 0);
        button(form, "pictbttn_record")->click();
        audio.advance(ms);
        button(form, "pictbttn_stop")->click();
        audio.advance(0);
    }

    static void raiseGain(Form2 &form, int ticks)
    {
        auto *up = form.findChild<GainButton *>("label_up");
        sendMouse(up, QEvent::MouseButtonPress, 5, Qt::LeftButton, Qt::LeftButton);
        for (int tick = 1; tick < ticks; ++tick)
            form.gainTick();
        sendMouse(up, QEvent::MouseButtonRelease, 5, Qt::LeftButton, Qt::NoButton);
    }
};

TEST_F(Form2HistoryTest, EveryEditUndoesBackToTheOpenedSoundAndRedoesAgain)
{
    const std::unique_ptr<Form2> form = openListened();
    activate(*form);
    std::vector<Samples> sounds{current(*form)};
    const auto edited = [&](const char *what) {
        ASSERT_NE(current(*form), sounds.back()) << what;
        sounds.push_back(current(*form));
    };
    drag(waveform(*form), 50, 150);
    action(*form, "toolb_2_cut")->trigger();
    edited("cut");
    drag(waveform(*form), 10, 400);
    action(*form, "toolb_2_crop")->trigger();
    edited("crop");
    drag(waveform(*form), 100, 200);
    raiseGain(*form, 4);
    edited("gain");
    recordAtTheStart(*form, 200); // 0.2 s of silence before the speech
    edited("recording");
    action(*form, "toolb_2_trim")->trigger();
    edited("trim");
    action(*form, "toolb_2_level")->trigger();
    edited("level");
    EXPECT_FALSE(action(*form, "toolb_2_redo")->isEnabled());

    for (std::size_t k = sounds.size() - 1; k > 0; --k) {
        undoKey(*form);
        EXPECT_EQ(current(*form), sounds[k - 1]) << k;
    }
    EXPECT_EQ(current(*form), oneSecond());
    EXPECT_FALSE(action(*form, "toolb_2_undo")->isEnabled());
    undoKey(*form); // nothing left to undo
    EXPECT_EQ(current(*form), oneSecond());

    for (std::size_t k = 1; k < sounds.size(); ++k) {
        redoKey(*form);
        EXPECT_EQ(current(*form), sounds[k]) << k;
    }
    EXPECT_FALSE(action(*form, "toolb_2_redo")->isEnabled());

    // Two undos, then a new edit: what was undone cannot come back.
    undoKey(*form);
    undoKey(*form);
    drag(waveform(*form), 0, 100);
    press(*form, Qt::Key_Delete, Qt::NoModifier);
    const Samples afterNewCut = current(*form);
    EXPECT_FALSE(action(*form, "toolb_2_redo")->isEnabled());
    redoKey(*form);
    press(*form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(current(*form), afterNewCut);
    undoKey(*form);
    EXPECT_EQ(current(*form), sounds[4]);
}

TEST_F(Form2HistoryTest, UndoAndRedoKeysWorkOnlyWhileIdle)
{
    const std::unique_ptr<Form2> form = openListened();
    activate(*form);
    drag(waveform(*form), 100, 200);
    action(*form, "toolb_2_cut")->trigger();
    const Samples cut = current(*form);

    button(*form, "pictbttn_play")->click();
    ASSERT_TRUE(audio.isPlaying());
    undoKey(*form);
    EXPECT_FALSE(action(*form, "toolb_2_undo")->isEnabled());
    EXPECT_EQ(current(*form), cut);
    form->stopAudio();
    audio.advance(0);

    undoKey(*form);
    EXPECT_EQ(current(*form), oneSecond());
    button(*form, "pictbttn_record")->click();
    ASSERT_TRUE(audio.isRecording());
    press(*form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(action(*form, "toolb_2_redo")->isEnabled());
    form->stopAudio();
    audio.advance(0);
    // The recording was a new edit: the cut can no longer be redone.
    EXPECT_FALSE(action(*form, "toolb_2_redo")->isEnabled());
}

TEST_F(Form2HistoryTest, HistoryBeyondTheBudgetKeepsTheNewestSteps)
{
    // 250 s of sound, 4,000,000 bytes; each cut of two columns takes about 16,200 bytes off
    // it. The sounds before the newest 17 of 20 cuts make 65,039,204 bytes; with an 18th the
    // history would make 69,006,814, past the 64 MB budget (67,108,864 bytes).
    Samples longSound(2000000);
    for (std::size_t i = 0; i < longSound.size(); ++i)
        longSound[i] = std::int16_t((int(i % 80) - 40) * 100);
    writeFile(dir.dataDirectory().productBank(), bank({chunk("0001", sampleBytes(longSound))}));
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceInPlayer);
    form->stopAudio();
    audio.advance(0);
    std::vector<Samples> sounds{current(*form)};
    for (int k = 0; k < 20; ++k) {
        drag(waveform(*form), 0, 2);
        action(*form, "toolb_2_cut")->trigger();
        sounds.push_back(current(*form));
    }
    ASSERT_EQ(sounds[1].size() * 2, 4000000U - 16228U);
    int undone = 0;
    while (action(*form, "toolb_2_undo")->isEnabled()) {
        action(*form, "toolb_2_undo")->trigger();
        ++undone;
    }
    EXPECT_EQ(undone, 17);
    EXPECT_EQ(current(*form), sounds[3]);
    action(*form, "toolb_2_redo")->trigger();
    EXPECT_EQ(current(*form), sounds[4]);
    EXPECT_EQ(HistoryBudgetBytes, std::size_t{67108864});
}

TEST_F(Form2HistoryTest, TrimAndLevelAreOneStepEachAndLeaveSilenceAlone)
{
    const std::unique_ptr<Form2> form = openListened();
    recordAtTheStart(*form, 300);
    ASSERT_EQ(form->samples().size(), 2400U + 8000U);
    action(*form, "toolb_2_trim")->trigger();
    EXPECT_LT(form->samples().size(), 10400U);
    EXPECT_GE(form->samples().size(), 8000U); // the speech itself stays
    EXPECT_EQ(form->selection(), (Selection{0, 0}));

    action(*form, "toolb_2_level")->trigger();
    const std::optional<SoundMeasure> levelled = measureSound(form->samples());
    ASSERT_TRUE(levelled && levelled->loudness);
    EXPECT_NEAR(*levelled->loudness, LibraryLoudness, 1.0);
    EXPECT_LE(levelled->truePeak, LevelledPeakLimit + 0.1);

    // A sound of nothing but silence: told so, and no step is added.
    drag(waveform(*form), 0, form->waveformWidth());
    action(*form, "toolb_2_cut")->trigger();
    recordAtTheStart(*form, 200);
    const Samples silence = current(*form);
    ui.expectMessage(OnlySilenceText, MessageAnswer::Ok);
    action(*form, "toolb_2_trim")->trigger();
    ui.expectMessage(OnlySilenceText, MessageAnswer::Ok);
    action(*form, "toolb_2_level")->trigger();
    EXPECT_TRUE(ui.finished());
    EXPECT_EQ(current(*form), silence);
    action(*form, "toolb_2_undo")->trigger();
    EXPECT_TRUE(current(*form).empty()); // the step before was the recording
}

TEST_F(Form2HistoryTest, LevellingHeldByThePeakLimitSaysSo)
{
    // Clicks: high peaks, little loudness.
    Samples clicks(8000, 0);
    for (std::size_t n = 0; n < clicks.size(); n += 400)
        clicks[n] = 16000;
    writeFile(dir.dataDirectory().productBank(), bank({chunk("0001", sampleBytes(clicks))}));
    const std::unique_ptr<Form2> form = openListened();
    action(*form, "toolb_2_level")->trigger();
    const std::string note = form->findChild<QLabel *>("label_note")->text().toStdString();
    EXPECT_TRUE(note.starts_with("Громкость выровнена только до -2")) << note;
    EXPECT_TRUE(note.ends_with(", а не до -20 LUFS: громче пики звука превысили бы -1 dBTP."));
    // Once at the limit, it is not called level with the library.
    ui.expectMessage("Громче звук не сделать: его пики уже у предела -1 dBTP. Звук не изменён.",
                     MessageAnswer::Ok);
    action(*form, "toolb_2_level")->trigger();
    EXPECT_TRUE(ui.finished());
}

TEST_F(Form2HistoryTest, TheGreetingPhraseIsNeverTrimmedOrLevelled)
{
    Samples greeting(1600, 0);
    const Samples speech = oneSecond();
    greeting.insert(greeting.end(), speech.begin(), speech.end());
    writeFile(dir.dataDirectory().productBank(), bank({chunk("PRIV", sampleBytes(greeting))}));
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceInPlayer, "PRIV");
    audio.advance(5000);
    for (const char *command : {"toolb_2_trim", "toolb_2_level"}) {
        ui.expectMessage(GreetingText, MessageAnswer::Ok);
        action(*form, command)->trigger();
        EXPECT_TRUE(ui.finished()) << command;
        EXPECT_EQ(current(*form), greeting) << command;
    }
    EXPECT_FALSE(action(*form, "toolb_2_undo")->isEnabled());
    EXPECT_FALSE(form->isModified());
}

} // namespace
} // namespace vorela::test
