// The source tree's commands end to end: WAV import as a new or replacement lexeme, refused
// formats, the greeting phrase's certificate gate, and new chunk ids over store and bank.
#include "Form2Fixture.h"

#include "platform/qt/QtModalDialog.h"
#include "soundeditor/window/FormErrorVerify.h"
#include "soundeditor/window/SoundEditorCommands.h"
#include "stores/ChunkIds.h"
#include "support/CertifiedGreeting.h"

#include <QLabel>
#include <QStatusBar>

namespace vorela::test {
namespace {

class SoundEditorCommandsTest : public Form2Fixture {
protected:
    std::filesystem::path wavFile(const std::string &name, const Bytes &format,
                                  const Samples &sound)
    {
        const std::filesystem::path file = dir.path() / name;
        writeFile(file, riffWave({chunk("fmt ", format), chunk("data", sampleBytes(sound))}));
        return file;
    }

    /// The editor opens: it plays its sound once, then closes, answering the question with answer.
    void expectEditor(std::optional<MessageAnswer> answer, std::function<void(Form2 &)> check = {})
    {
        ui.expectDialog("Form2", [this, answer, check](ModalDialog &dialog) {
            auto *form = static_cast<Form2 *>(qDialogOf(dialog));
            form->show();
            QCoreApplication::processEvents();
            audio.advance(1000);
            if (check)
                check(*form);
            if (answer)
                ui.expectMessage(SaveQuestion, *answer);
            form->close();
            EXPECT_FALSE(form->isVisible());
            return 0;
        });
    }

    SoundEditorCommands commands{context, nullptr};
    const std::vector<std::string> storeChunks{"0001", "#001", "@010"};
};

TEST_F(SoundEditorCommandsTest, CreateLexemeFromWavFile)
{
    const Samples sound(1200, 300);
    const std::filesystem::path file = wavFile("Добрый день.wav", formatRecord(), sound);
    ui.expectOpenFile(file);
    expectEditor(MessageAnswer::Yes, [](Form2 &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Проигрыватель - Добрый день"));
    });
    const std::optional<NewLexeme> created = commands.createFromFile(storeChunks);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->chunkId, "0002");
    EXPECT_EQ(created->name, "Добрый день");
    EXPECT_EQ(bankSound("0002"), sound);
    ASSERT_EQ(ui.openFileRequests().size(), 1U);
    const OpenFileRequest &request = ui.openFileRequests()[0];
    EXPECT_EQ(request.title, "Открытие звукового файла");
    ASSERT_EQ(request.filters.size(), 1U);
    EXPECT_EQ(request.filters[0].label, "Звуковые файлы(*.wav *.flac *.ogg *.oga *.mp3)");
    EXPECT_EQ(request.filters[0].pattern, "*.wav *.flac *.ogg *.oga *.mp3");

    // Declined at the question: no node; the next dialog starts in the last file's folder.
    ui.expectOpenFile(file);
    expectEditor(MessageAnswer::No);
    EXPECT_FALSE(commands.createFromFile(storeChunks));
    EXPECT_EQ(ui.openFileRequests()[1].startPath, dir.path());

    ui.expectOpenFile({});
    EXPECT_FALSE(commands.createFromFile(storeChunks)); // cancelled
    EXPECT_TRUE(ui.finished());
}

TEST_F(SoundEditorCommandsTest, ReplaceLexemeFromWavFile)
{
    const Samples sound(900, -77);
    ui.expectOpenFile(wavFile("Новая.wav", formatRecord(), sound));
    expectEditor(MessageAnswer::Yes, [](Form2 &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Проигрыватель - Ответ (Новая)"));
    });
    commands.replaceFromFile("Ответ", "0001");
    EXPECT_EQ(bankSound("0001"), sound);
    EXPECT_TRUE(ui.finished());
}

TEST_F(SoundEditorCommandsTest, StereoAnd11025HzFilesAreConvertedAndANoteLineSaysSo)
{
    const struct {
        Bytes format;
        std::size_t samples;
        const char *note;
    } cases[] = {
        {formatRecord(1, 2, 8000, 32000, 4, 16), 400,
         "Звук из файла «Другой.wav» (WAV, 8000 Гц, стерео, 16 бит) преобразован в 8000 Гц, "
         "моно, 16 бит."},
        {formatRecord(1, 1, 11025, 22050, 2, 16), 580,
         "Звук из файла «Другой.wav» (WAV, 11025 Гц, моно, 16 бит) преобразован в 8000 Гц, "
         "моно, 16 бит."},
    };
    for (const auto &entry : cases) {
        ui.expectOpenFile(wavFile("Другой.wav", entry.format, Samples(800, 5)));
        expectEditor(MessageAnswer::Yes, [&](Form2 &form) {
            // On a line of its own: the position panes stay in sight beside it.
            const auto *note = form.findChild<QLabel *>("label_note");
            ASSERT_NE(note, nullptr);
            EXPECT_EQ(note->text(), QString::fromUtf8(entry.note));
            EXPECT_TRUE(note->isVisible());
            EXPECT_TRUE(form.findChild<QStatusBar *>("statusBar")->currentMessage().isEmpty());
            EXPECT_TRUE(form.findChild<QLabel *>("pane_0")->isVisible());
        });
        commands.replaceFromFile("Ответ", "0001");
        EXPECT_NEAR(static_cast<double>(bankSound("0001").size()),
                    static_cast<double>(entry.samples), 2.0);
    }
    EXPECT_TRUE(ui.finished());
}

TEST_F(SoundEditorCommandsTest, UncertifiedGreetingIsRefused)
{
    ui.expectOpenFile(wavFile("Приветствие.wav", formatRecord(), Samples(8000, 1234)));
    ui.expectDialog("FormErrorVerify", [](ModalDialog &dialog) {
        QDialog *refusal = qDialogOf(dialog);
        EXPECT_EQ(refusal->windowTitle(),
                  QStringLiteral("Проигрыватель - Приветствие (Приветствие)"));
        const QString text = refusal->findChild<QLabel *>("label_2")->text();
        EXPECT_TRUE(text.startsWith(QStringLiteral("Приветственную фразу запрещено удалять")));
        EXPECT_TRUE(text.endsWith(QStringLiteral("Эта услуга оказывается бесплатно.")));
        return 1;
    });
    commands.replaceFromFile("Приветствие", std::string(GreetingChunkId));
    EXPECT_TRUE(bankSound(std::string(GreetingChunkId)).empty());
    EXPECT_TRUE(ui.finished());
}

TEST_F(SoundEditorCommandsTest, CertifiedGreetingIsTakenButNotEdited)
{
    const Samples greeting = certifiedGreeting(dir.dataDirectory(), 8000);
    ASSERT_FALSE(greeting.empty());
    ui.expectOpenFile(wavFile("Приветствие.wav", formatRecord(), greeting));
    expectEditor(MessageAnswer::Yes, [](Form2 &form) {
        EXPECT_FALSE(form.isEditable());
        EXPECT_FALSE(form.findChild<QWidget *>("toolb_2")->isVisibleTo(&form));
    });
    commands.replaceFromFile("Приветствие", std::string(GreetingChunkId));
    EXPECT_EQ(bankSound(std::string(GreetingChunkId)), greeting);
    EXPECT_TRUE(ui.finished());
}

TEST_F(SoundEditorCommandsTest, NewChunkIdSkipsIdsTheBankHolds)
{
    writeFile(dir.dataDirectory().productBank(),
              bank({chunk("0001", sampleBytes(oneSecond())), chunk("0005", sampleBytes({1}))}));
    const std::vector<std::string> store{"0001", "0004"};
    EXPECT_EQ(commands.newChunkId(store), "0006");

    audio.setMicrophone([](std::size_t) { return std::int16_t(42); });
    ui.expectDialog("Form2", [this](ModalDialog &dialog) {
        auto *form = static_cast<Form2 *>(qDialogOf(dialog));
        form->show();
        QCoreApplication::processEvents();
        form->findChild<QToolButton *>("pictbttn_record")->click();
        audio.advance(100);
        form->stopAudio();
        audio.advance(0);
        ui.expectMessage(SaveQuestion, MessageAnswer::Yes);
        form->close();
        return 0;
    });
    const std::optional<NewLexeme> created = commands.createInPlayer(store);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->chunkId, "0006");
    EXPECT_EQ(bankSound("0006"), Samples(800, 42));
    EXPECT_EQ(bankSound("0005"), Samples{1}); // the other sound is untouched
}

} // namespace
} // namespace vorela::test
