// Saving and the closing question in every mode, and a failed save that keeps the work.
#include "Form2Fixture.h"

namespace vorela::test {
namespace {

using Form2CloseTest = Form2Fixture;

// A one-second WAV file in the bank format, its samples doubled from the lexeme's.
std::filesystem::path writeWav(const std::filesystem::path &folder, const Samples &samples)
{
    const std::filesystem::path file = folder / "Привет.wav";
    writeFile(file, riffWave({chunk("fmt ", formatRecord()), chunk("data", sampleBytes(samples))}));
    return file;
}

Samples louder()
{
    Samples samples = oneSecond();
    for (std::int16_t &sample : samples)
        sample = std::int16_t(sample / 2 + 1);
    return samples;
}

TEST_F(Form2CloseTest, EditedLexemeAsksAndCancelKeepsTheWindow)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 10, 60);
    action(*form, "toolb_2_cut")->trigger();
    ui.expectMessage(SaveQuestion, MessageAnswer::Cancel);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.messages().at(0).icon, MessageIcon::Question);
    EXPECT_EQ(ui.messages().at(0).buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(ui.messages().at(0).caption, "Проигрыватель - Лексема");

    ui.expectMessage(SaveQuestion, MessageAnswer::No);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(bankSound("0001"), oneSecond());
}

TEST_F(Form2CloseTest, ReplaceFromFileAsksEvenWithoutEdits)
{
    const std::filesystem::path file = writeWav(dir.path(), louder());
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::ReplaceFromFile, "0001", file);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Проигрыватель - Лексема (Привет)"));
    audio.advance(1000);
    EXPECT_TRUE(action(*form, "toolb_2_save")->isEnabled());
    ui.expectMessage(SaveQuestion, MessageAnswer::Yes);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(bankSound("0001"), louder());
    EXPECT_FALSE(form->IsImportPending()); // the opener must not ask again
    EXPECT_FALSE(form->WasSavedAsNew());   // a replaced lexeme is no new node
}

TEST_F(Form2CloseTest, ClosingDuringTheFirstPlaybackStillAsksForAnImport)
{
    const std::filesystem::path file = writeWav(dir.path(), louder());
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::CreateFromFile, "0002", file);
    form->close(); // stops the playback first
    EXPECT_TRUE(form->isVisible());
    ui.expectMessage(SaveQuestion, MessageAnswer::Yes);
    audio.advance(0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->WasSavedAsNew());
    EXPECT_EQ(bankSound("0002"), louder());
}

TEST_F(Form2CloseTest, SavingKeepsTheHistoryAndNewLexemeIsSavedOnlyWithSound)
{
    const std::unique_ptr<Form2> empty = openEditor(SoundEditorMode::CreateInPlayer, "0002");
    action(*empty, "toolb_2_save")->trigger(); // nothing to save
    empty->close();
    EXPECT_FALSE(empty->isVisible());
    EXPECT_FALSE(empty->WasSavedAsNew());
    EXPECT_TRUE(bankSound("0002").empty());

    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 10, 60);
    action(*form, "toolb_2_cut")->trigger();
    action(*form, "toolb_2_save")->trigger();
    EXPECT_TRUE(action(*form, "toolb_2_undo")->isEnabled());
    EXPECT_FALSE(action(*form, "toolb_2_save")->isEnabled());
    EXPECT_EQ(bankSound("0001"), oneSecondWithout(162, 974)); // bytes 324 .. 1948
    form->close();                                            // saved: no question
    EXPECT_FALSE(form->isVisible());

    // An undo after a save makes the sound differ from the bank again: closing asks.
    const std::unique_ptr<Form2> again = openListened();
    drag(waveform(*again), 10, 60);
    action(*again, "toolb_2_cut")->trigger();
    action(*again, "toolb_2_save")->trigger();
    const Samples saved = bankSound("0001");
    action(*again, "toolb_2_undo")->trigger();
    EXPECT_EQ(current(*again), oneSecondWithout(162, 974));
    EXPECT_TRUE(action(*again, "toolb_2_save")->isEnabled());
    ui.expectMessage(SaveQuestion, MessageAnswer::No);
    again->close();
    EXPECT_FALSE(again->isVisible());
    EXPECT_EQ(bankSound("0001"), saved);
    EXPECT_TRUE(ui.finished());
}

TEST_F(Form2CloseTest, LexemeCutToNothingIsSavedAsOneSilentSample)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 0, form->waveformWidth());
    action(*form, "toolb_2_cut")->trigger();
    ui.expectMessage(SaveQuestion, MessageAnswer::Yes);
    form->close();
    EXPECT_EQ(bankSound("0001"), Samples{0});
}

TEST_F(Form2CloseTest, FailedSaveKeepsTheWorkAndTheWindow)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::CreateInPlayer, "0002");
    button(*form, "pictbttn_record")->click();
    audio.advance(300);
    button(*form, "pictbttn_stop")->click();
    audio.advance(0);
    std::filesystem::remove(dir.dataDirectory().productBank());

    ui.expectMessage("Ошибка сохранения файла (0001)", MessageAnswer::Ok);
    ui.expectMessage("Ошибка сохранения файла!", MessageAnswer::Ok);
    action(*form, "toolb_2_save")->trigger();
    EXPECT_EQ(ui.messages().at(1).caption, "Проигрыватель - Новая лексема Сохранение...");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Проигрыватель - Новая лексема"));
    EXPECT_TRUE(form->isModified());
    EXPECT_TRUE(action(*form, "toolb_2_undo")->isEnabled());
    EXPECT_FALSE(form->WasSavedAsNew());

    ui.expectMessage(SaveQuestion, MessageAnswer::Yes);
    ui.expectMessage("Ошибка сохранения файла (0001)", MessageAnswer::Ok);
    ui.expectMessage("Ошибка сохранения файла!", MessageAnswer::Ok);
    form->close();
    EXPECT_TRUE(form->isVisible()); // the recording is still there to save

    writeFile(dir.dataDirectory().productBank(), bank({}));
    ui.expectMessage(SaveQuestion, MessageAnswer::Yes);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->WasSavedAsNew());
    EXPECT_EQ(bankSound("0002").size(), 2400U);
    EXPECT_TRUE(ui.finished());
}

TEST_F(Form2CloseTest, SaveIsOfferedOnlyForUnsavedWork)
{
    struct Case {
        SoundEditorMode mode;
        const char *chunkId;
        bool fromFile;
        bool saveAfterListening; // an import not yet saved
    };
    const Case cases[] = {
        {SoundEditorMode::ReplaceInPlayer, "0001", false, false},
        {SoundEditorMode::CreateFromFile, "0002", true, true},
        {SoundEditorMode::ReplaceFromFile, "0001", true, true},
    };
    const std::filesystem::path wav = writeWav(dir.path(), louder());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chunkId);
        const std::unique_ptr<Form2> form =
            openEditor(c.mode, c.chunkId, c.fromFile ? wav : std::filesystem::path());
        EXPECT_FALSE(action(*form, "toolb_2_save")->isEnabled()); // while it plays
        audio.advance(1000);
        EXPECT_EQ(action(*form, "toolb_2_save")->isEnabled(), c.saveAfterListening);
        if (!c.saveAfterListening)
            continue;
        action(*form, "toolb_2_save")->trigger();
        EXPECT_EQ(bankSound(c.chunkId), louder());
        button(*form, "pictbttn_play")->click();
        audio.advance(1000);
        EXPECT_FALSE(action(*form, "toolb_2_save")->isEnabled()) << "nothing changed since saving";
        form->close(); // and nothing to ask
        EXPECT_FALSE(form->isVisible());
    }
}

} // namespace
} // namespace vorela::test
