// Guided recording over a new installation, on the virtual sound card: word after word recorded,
// played back and saved under its own chunk, with redo, skip, stop, silence and refused saves.
#include "Form2Fixture.h"

#include "installation/NewInstallation.h"
#include "installation/SpeechSynthesis.h"
#include "installation/StandardWords.h"
#include "platform/FileFaults.h"
#include "platform/RegistryStore.h"
#include "platform/qt/QtAudioDevice.h"
#include "platform/qt/QtModalDialog.h"
#include "soundeditor/window/GuidedRecording.h"
#include "soundeditor/window/WaveformView.h"
#include "stores/LexItem.h"
#include "support/PrivatePulseServer.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace vorela::test {
namespace {

const std::string SilentText =
    "В записи нет ничего, кроме тишины, и она не сохранена. Запишите слово ещё раз.";
const std::string TooQuietText =
    "Запись слишком тихая: слово в ней не слышно, и она не сохранена. Говорите громче или ближе "
    "к микрофону и запишите слово ещё раз.";
const std::string NothingMissingText = "У всех лексем этой папки звук уже записан.";
const std::string NoBankText =
    "Банк звуков не удалось прочитать, поэтому нельзя узнать, каких записей в нём нет.";
const std::string SaveFailedText = "Ошибка сохранения файла (0003)";

class GuidedRecordingTest : public Form2Fixture {
protected:
    GuidedRecordingTest()
    {
        std::string error;
        EXPECT_TRUE(initDataDirectory(fresh, error)) << error;
        store = RegistryStore::open(fresh.registry(), error);
        EXPECT_TRUE(store) << error;
        root = std::make_unique<LexItem>(*store);
        // Every recording is half a second of silence, then a tone, then silence again; the
        // tone's loudness grows with each recording, so that each take can be told apart.
        audio.setMicrophone([this](std::size_t n) {
            if (n == 0)
                ++recordings;
            if (n < 4000 || n >= 4000 + toneSamples)
                return std::int16_t(0);
            const int sign = (n / 20) % 2 == 0 ? 1 : -1; // a 200 Hz square wave
            return std::int16_t(sign * amplitude * recordings);
        });
    }

    /// The folder of digits of the standard words, and its lexemes in chain order.
    std::shared_ptr<LexItem> digits() const { return root->GetChild("3")->GetChildren().front(); }
    std::vector<std::shared_ptr<LexItem>> words() const { return digits()->GetChildren(); }

    /// Runs the window on node; act drives it and must close it.
    void run(const LexItem &node, const std::function<void(GuidedRecording &)> &act,
             AudioDevice *soundCard = nullptr)
    {
        ui.expectDialog("GuidedRecording", [&act](ModalDialog &dialog) {
            auto *window = static_cast<GuidedRecording *>(qDialogOf(dialog));
            window->show();
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
            window->findChild<QCheckBox *>("cb_level")->setChecked(false);
            act(*window);
            EXPECT_FALSE(window->isVisible());
            return 0;
        });
        GuidedRecording::run({freshBank, ui, soundCard ? *soundCard : audio, fresh}, node, nullptr);
        EXPECT_TRUE(ui.finished());
    }

    SoundEditorContext context() { return {freshBank, ui, audio, fresh}; }

    static void press(GuidedRecording &window, Qt::Key key)
    {
        QTest::keyClick(window.windowHandle(), key);
    }
    static void click(GuidedRecording &window, const char *name)
    {
        QPushButton *button = window.findChild<QPushButton *>(name);
        ASSERT_TRUE(button->isEnabled()) << name;
        button->click();
    }
    static std::string label(GuidedRecording &window, const char *name)
    {
        return window.findChild<QLabel *>(name)->text().toStdString();
    }

    /// R, one second of the microphone, Space: the take is prepared and played back.
    void recordOneSecond(GuidedRecording &window)
    {
        press(window, Qt::Key_R);
        ASSERT_FALSE(window.isIdle());
        audio.advance(1000);
        press(window, Qt::Key_Space);
        audio.advance(0);
    }

    Samples saved(const std::string &chunkId) const { return bankSoundIn(fresh, chunkId); }

    static int peak(const Samples &samples)
    {
        int top = 0;
        for (const std::int16_t sample : samples)
            top = std::max(top, std::abs(int(sample)));
        return top;
    }

    std::size_t toneSamples = 2400;
    int amplitude = 1000;
    int recordings = 0;
    DataDirectory fresh{dir.path() / "fresh"};
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<LexItem> root;
    FileFaults faults;
    SoundBank freshBank{fresh, ui, &faults};
};

TEST_F(GuidedRecordingTest, WordsAreRecordedRedoneSkippedAndSavedUnderTheirOwnChunks)
{
    const std::vector<std::shared_ptr<LexItem>> lexemes = words();
    ASSERT_GE(lexemes.size(), 4U);
    const std::string total = std::to_string(lexemes.size());
    run(*digits(), [&](GuidedRecording &window) {
        EXPECT_EQ(label(window, "label_progress"), "1 из " + total);
        EXPECT_EQ(label(window, "label_text"), lexemes[0]->GetText());
        recordOneSecond(window);
        // The take is trimmed to the tone and played back at once.
        EXPECT_FALSE(window.take().empty());
        EXPECT_LT(window.take().size(), 8000U);
        ASSERT_EQ(audio.playedBlocks().size(), 1U);
        EXPECT_EQ(audio.playedBlocks().back(), window.take());
        press(window, Qt::Key_Return);
        EXPECT_EQ(label(window, "label_progress"), "2 из " + total);
        EXPECT_EQ(label(window, "label_text"), lexemes[1]->GetText());
        EXPECT_TRUE(window.take().empty());

        // Redo: the second recording is thrown away for the third.
        recordOneSecond(window);
        click(window, "btn_redo");
        audio.advance(1000);
        click(window, "btn_stop");
        audio.advance(0);
        click(window, "btn_save");

        // Skipped without a take: no question. With a take: asked, and No keeps the word.
        click(window, "btn_skip");
        EXPECT_EQ(label(window, "label_progress"), "4 из " + total);
        recordOneSecond(window);
        ui.expectMessage("Запись слова «" + lexemes[3]->GetText() +
                             "» не сохранена. Пропустить слово без сохранения?",
                         MessageAnswer::No);
        click(window, "btn_skip");
        EXPECT_EQ(label(window, "label_progress"), "4 из " + total);
        ui.expectMessage("Запись слова «" + lexemes[3]->GetText() +
                             "» не сохранена. Пропустить слово без сохранения?",
                         MessageAnswer::Yes);
        click(window, "btn_skip");
        EXPECT_EQ(label(window, "label_progress"), "5 из " + total);
        click(window, "btn_finish");
    });
    EXPECT_EQ(recordings, 4);
    const Samples first = saved(lexemes[0]->GetChunk());
    const Samples second = saved(lexemes[1]->GetChunk());
    EXPECT_EQ(peak(first), 1000);
    EXPECT_EQ(peak(second), 3000); // the redone take, not the second recording
    // Only the tone is kept, with a small margin of its silence at most.
    for (const Samples &sound : {first, second}) {
        EXPECT_GE(sound.size(), toneSamples - 40);
        EXPECT_LE(sound.size(), toneSamples + 2 * 1600);
    }
    EXPECT_TRUE(saved(lexemes[2]->GetChunk()).empty());
    EXPECT_TRUE(saved(lexemes[3]->GetChunk()).empty());
}

TEST_F(GuidedRecordingTest, PictureOfATakeWaitingForSaving)
{
    const std::filesystem::path folder = std::filesystem::path(VORELA_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    toneSamples = 6000;
    run(*digits(), [&](GuidedRecording &window) {
        window.findChild<QCheckBox *>("cb_level")->setChecked(true);
        recordOneSecond(window);
        audio.advance(1000);
        const QImage image = window.findChild<WaveformView *>("label_wave")->waveformImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(
            window.grab().save(QString::fromStdString((folder / "guided-recording.png").string())));
        ui.expectMessage("Сохранить запись слова «" + words().front()->GetText() +
                             "» перед выходом?",
                         MessageAnswer::No);
        click(window, "btn_finish");
    });
}

TEST_F(GuidedRecordingTest, StoppingNeverLosesATakeWithoutAsking)
{
    const std::vector<std::shared_ptr<LexItem>> lexemes = words();
    const std::string keepQuestion =
        "Сохранить запись слова «" + lexemes[0]->GetText() + "» перед выходом?";
    // Cancel stays with the take; No leaves without saving.
    run(*digits(), [&](GuidedRecording &window) {
        recordOneSecond(window);
        ui.expectMessage(keepQuestion, MessageAnswer::Cancel);
        click(window, "btn_finish");
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.take().empty());
        ui.expectMessage(keepQuestion, MessageAnswer::No);
        press(window, Qt::Key_Escape);
    });
    EXPECT_TRUE(saved(lexemes[0]->GetChunk()).empty());

    // Stopped while it records: the take is handed over first, and Yes saves it.
    run(*digits(), [&](GuidedRecording &window) {
        press(window, Qt::Key_R);
        audio.advance(1000);
        ui.expectMessage(keepQuestion, MessageAnswer::Yes);
        click(window, "btn_finish");
        audio.advance(0);
    });
    EXPECT_EQ(peak(saved(lexemes[0]->GetChunk())), 2000);

    // The next walk starts at the first word still without sound.
    run(*digits(), [&](GuidedRecording &window) {
        EXPECT_EQ(label(window, "label_text"), lexemes[1]->GetText());
        EXPECT_EQ(label(window, "label_progress"), "1 из " + std::to_string(lexemes.size() - 1));
        window.close();
    });
}

TEST_F(GuidedRecordingTest, SilenceAndRefusedSavesStayOnTheWord)
{
    const std::vector<std::shared_ptr<LexItem>> lexemes = words();
    run(*digits(), [&](GuidedRecording &window) {
        toneSamples = 0;
        ui.expectMessage(SilentText, MessageAnswer::Ok);
        recordOneSecond(window);
        EXPECT_TRUE(window.take().empty());
        EXPECT_TRUE(audio.playedBlocks().empty());
        EXPECT_EQ(label(window, "label_progress"), "1 из " + std::to_string(lexemes.size()));
        // Under the trim's floor but no silence: a word spoken too softly, told as such.
        toneSamples = 2400;
        amplitude = 30;
        ui.expectMessage(TooQuietText, MessageAnswer::Ok);
        recordOneSecond(window);
        EXPECT_TRUE(window.take().empty());

        amplitude = 1000;
        recordOneSecond(window);
        faults.failNth(FileOperation::Write, 1);
        ui.expectMessage(SaveFailedText, MessageAnswer::Ok);
        press(window, Qt::Key_Return);
        EXPECT_EQ(label(window, "label_text"), lexemes[0]->GetText());
        EXPECT_EQ(label(window, "label_state"),
                  "Запись не сохранена. Попробуйте сохранить ещё раз или пропустите слово.");
        ASSERT_FALSE(window.take().empty());
        EXPECT_TRUE(saved(lexemes[0]->GetChunk()).empty());
        press(window, Qt::Key_Return);
        EXPECT_EQ(label(window, "label_text"), lexemes[1]->GetText());
        click(window, "btn_finish");
    });
    EXPECT_EQ(peak(saved(lexemes[0]->GetChunk())), 3000);
}

TEST_F(GuidedRecordingTest, LevellingBringsQuietAndLoudTakesTogether)
{
    const std::vector<std::shared_ptr<LexItem>> lexemes = words();
    for (const bool level : {false, true}) {
        recordings = 0;
        run(*digits(), [&](GuidedRecording &window) {
            window.findChild<QCheckBox *>("cb_level")->setChecked(level);
            for (int word = 0; word < 2; ++word) {
                recordings += word * 6; // 1000, then 8000 at the peak
                recordOneSecond(window);
                press(window, Qt::Key_Return);
            }
            click(window, "btn_finish");
        });
        const double quiet = peak(saved(lexemes[level ? 2 : 0]->GetChunk()));
        const double loud = peak(saved(lexemes[level ? 3 : 1]->GetChunk()));
        if (level)
            EXPECT_NEAR(loud / quiet, 1.0, 0.05);
        else
            EXPECT_EQ(loud / quiet, 8.0);
    }
}

TEST_F(GuidedRecordingTest, ANewInstallationIsRecordedInOneWindowWithoutTheGreeting)
{
    // Every standard word the operator records (the currency words come with the editor), in
    // the order of the word table, in one window; the greeting phrase is not among them.
    std::vector<std::string> expected;
    for (const StandardWord &word : standardWords())
        if (!fromCurrencyBank(word))
            expected.emplace_back(word.text);
    const std::string total = std::to_string(expected.size());
    std::vector<std::string> texts;
    run(*root, [&](GuidedRecording &window) {
        EXPECT_EQ(label(window, "label_progress"), "1 из " + total);
        for (std::size_t word = 0; word < expected.size(); ++word) {
            texts.push_back(label(window, "label_text"));
            click(window, "btn_skip");
        }
        EXPECT_EQ(label(window, "label_text"), "Готово");
        EXPECT_EQ(label(window, "label_state"),
                  "Все слова пройдены. Записано: 0, пропущено: " + total + ".");
        EXPECT_FALSE(window.findChild<QPushButton *>("btn_record")->isEnabled());
        click(window, "btn_finish");
    });
    EXPECT_EQ(texts, expected);
}

TEST_F(GuidedRecordingTest, NothingToRecordOrNoBankIsToldWithoutAWindow)
{
    // The function entries have no sound of their own.
    ui.expectMessage(NothingMissingText, MessageAnswer::Ok);
    GuidedRecording::run(context(), *root->GetChild("2"), nullptr);
    EXPECT_TRUE(ui.finished());

    writeFile(fresh.productBank(), Bytes(64, 0x20));
    ui.expectMessage(NoBankText, MessageAnswer::Ok);
    GuidedRecording::run(context(), *root, nullptr);
    EXPECT_TRUE(ui.finished());
}

TEST_F(GuidedRecordingTest, SpokenWordFromTheMicrophoneLandsUnderItsChunk)
{
    if (const std::optional<std::string> missing = missingSoundServer())
        GTEST_SKIP() << *missing;
    const std::shared_ptr<LexItem> lexeme = words().front();
    const SynthesisResult spoken = synthesize({{lexeme->GetText(), "ru"}}, dir.path(), 1);
    ASSERT_TRUE(spoken.ok()) << spoken.error;
    const Samples &voice = spoken.sounds.front();
    QtAudioDevice soundCard;
    run(
        *digits(),
        [&](GuidedRecording &window) {
            window.findChild<QCheckBox *>("cb_level")->setChecked(true);
            press(window, Qt::Key_R);
            ASSERT_TRUE(QTest::qWaitFor([&] { return soundCard.recordedSamples() > 0; }, 3000));
            // A second device speaks the word into the sink whose monitor is the microphone.
            QtAudioDevice speaker;
            bool said = false;
            ASSERT_EQ(speaker.play(voice, {}, [&said] { said = true; }), AudioStart::Started);
            ASSERT_TRUE(QTest::qWaitFor([&said] { return said; }, 10000));
            const std::size_t afterWord = soundCard.recordedSamples();
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return soundCard.recordedSamples() >= afterWord + 2400; }, 3000));
            press(window, Qt::Key_Space);
            ASSERT_TRUE(QTest::qWaitFor([&window] { return !window.take().empty(); }, 3000));
            press(window, Qt::Key_Return);
            EXPECT_EQ(label(window, "label_text"), words()[1]->GetText());
            click(window, "btn_finish");
        },
        &soundCard);
    const Samples kept = saved(lexeme->GetChunk());
    const double seconds = double(kept.size()) / 8000;
    const double voiceSeconds = double(voice.size()) / 8000;
    EXPECT_GT(seconds, voiceSeconds - 0.15) << "the word is kept whole";
    EXPECT_LT(seconds, voiceSeconds + 0.6) << "the silence around it is trimmed";
    EXPECT_GT(peak(kept), 3000) << "a levelled word, not silence";
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
} // namespace vorela::test
