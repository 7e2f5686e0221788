// A lexeme whose chunk the bank lacks, as every standard word of a new installation: replacing
// it in the player records its first sound; the greeting phrase and unreadable banks refuse.
#include "Form2Fixture.h"

#include "installation/NewInstallation.h"
#include "installation/StandardWords.h"
#include "platform/qt/QtModalDialog.h"
#include "soundbank/LexemeReader.h"
#include "soundeditor/window/SoundEditorCommands.h"
#include "stores/ChunkIds.h"

namespace vorela::test {
namespace {

const std::string NoChunkText = "Ошибка pаботы с файлом! (0004)";

class Form2MissingSoundTest : public Form2Fixture {
protected:
    Form2MissingSoundTest()
    {
        std::string error;
        EXPECT_TRUE(initDataDirectory(fresh, error)) << error;
        audio.setMicrophone([](std::size_t) { return std::int16_t(-321); });
    }

    bool chunkMissing(const std::string &chunkId) const
    {
        return readLexeme(fresh.productBank(), chunkId, FormatCheck::Skip).error ==
               LexemeReadError::NoChunk;
    }

    /// The editor runs: check sees it opened, then it is closed without a question.
    void expectEditor(std::function<void(Form2 &)> check)
    {
        ui.expectDialog("Form2", [this, check](ModalDialog &dialog) {
            auto *form = static_cast<Form2 *>(qDialogOf(dialog));
            form->show();
            QCoreApplication::processEvents();
            check(*form);
            form->close();
            EXPECT_FALSE(form->isVisible());
            return 0;
        });
    }

    void record(Form2 &form, int ms)
    {
        button(form, "pictbttn_record")->click();
        audio.advance(ms);
        button(form, "pictbttn_stop")->click();
        audio.advance(0);
    }

    /// A standard word the operator records himself (not one copied from the currency bank).
    static const StandardWord &recordedWord()
    {
        for (const StandardWord &word : standardWords())
            if (!fromCurrencyBank(word))
                return word;
        return standardWords().front();
    }

    DataDirectory fresh{dir.path() / "fresh"};
    SoundBank freshBank{fresh, ui};
    SoundEditorCommands commands{{freshBank, ui, audio, fresh}, nullptr};
};

TEST_F(Form2MissingSoundTest, StandardWordOfANewInstallationIsRecordedUnderItsOwnChunk)
{
    const StandardWord &word = recordedWord();
    const std::string chunkId(word.key);
    ASSERT_TRUE(chunkMissing(chunkId));
    expectEditor([this](Form2 &form) {
        EXPECT_TRUE(form.samples().empty());
        EXPECT_TRUE(audio.playedBlocks().empty()); // nothing to play at opening
        EXPECT_TRUE(button(form, "pictbttn_record")->isEnabled());
        EXPECT_FALSE(button(form, "pictbttn_play")->isEnabled());
        EXPECT_FALSE(action(form, "toolb_2_save")->isEnabled());
        record(form, 250);
        ASSERT_TRUE(action(form, "toolb_2_save")->isEnabled());
        action(form, "toolb_2_save")->trigger();
        EXPECT_FALSE(action(form, "toolb_2_save")->isEnabled());
    });
    commands.replaceInPlayer(std::string(word.text), chunkId);
    EXPECT_TRUE(ui.finished());
    EXPECT_EQ(bankSoundIn(fresh, chunkId), Samples(2000, -321));

    // Opened again, the word now has its sound and plays it.
    expectEditor([this](Form2 &form) {
        EXPECT_EQ(current(form), Samples(2000, -321));
        EXPECT_EQ(audio.playedBlocks().size(), 1U);
        audio.advance(500);
    });
    commands.replaceInPlayer(std::string(word.text), chunkId);
    EXPECT_TRUE(ui.finished());
}

TEST_F(Form2MissingSoundTest, RecordingUndoneLeavesTheWordWithoutSound)
{
    // No silent chunk is made up for a word that never had a sound.
    const std::string chunkId(recordedWord().key);
    expectEditor([this](Form2 &form) {
        record(form, 100);
        action(form, "toolb_2_undo")->trigger();
        EXPECT_TRUE(form.samples().empty());
    });
    commands.replaceInPlayer("Лексема", chunkId);
    EXPECT_TRUE(ui.finished());
    EXPECT_TRUE(chunkMissing(chunkId));
}

TEST_F(Form2MissingSoundTest, GreetingPhraseAndUnreadableBanksStillRefuse)
{
    // The greeting phrase is taken only from a certified file, never recorded.
    ui.expectMessage(NoChunkText, MessageAnswer::Ok);
    commands.replaceInPlayer("Приветствие", std::string(GreetingChunkId));
    EXPECT_TRUE(ui.finished());
    EXPECT_TRUE(chunkMissing(std::string(GreetingChunkId)));

    // A bank that cannot be read is not taken for one that lacks the chunk.
    const std::filesystem::path bankFile = fresh.productBank();
    struct Case {
        const char *what;
        std::optional<Bytes> content;
        std::string text;
    };
    const Case cases[] = {
        {"no bank file", std::nullopt, "Ошибка откpытия файла!"},
        {"not a RIFF form", Bytes(64, 0x20), "Ошибка pаботы с файлом! (0001)"},
        {"no format chunk", riffWave({chunk("0002", {1, 0})}), "Ошибка pаботы с файлом! (0002)"},
    };
    for (const Case &c : cases) {
        std::filesystem::remove(bankFile);
        if (c.content)
            writeFile(bankFile, *c.content);
        ui.expectMessage(c.text, MessageAnswer::Ok);
        commands.replaceInPlayer("Лексема", "0001");
        EXPECT_TRUE(ui.finished()) << c.what;
    }
}

} // namespace
} // namespace vorela::test
