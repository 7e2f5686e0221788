#include "soundbank/LexemeReader.h"
#include "soundbank/KeySequenceRender.h"

#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {

using test::Bytes;

class LexemeReaderTest : public testing::Test {
protected:
    std::filesystem::path write(const Bytes &bytes)
    {
        test::writeFile(bankPath, bytes);
        return bankPath;
    }

    test::TempDataDir directory;
    std::filesystem::path bankPath = directory.path() / "vorela.awf";
};

TEST_F(LexemeReaderTest, EveryDamageHasItsOwnError)
{
    const Bytes good = test::bank({test::chunk("0001", test::samples(4))});
    Bytes notWave = good;
    notWave[8] = 'X';
    Bytes shortFormat = test::riffWave({test::chunk("fmt ", test::formatRecord())});
    test::setU32At(shortFormat, 16, 400); // "fmt " claims more than the file holds
    Bytes shortChunk = good;
    test::setU32At(shortChunk, 40, 400);
    test::setU32At(shortChunk, 4, 400); // the form covers the claim, the file does not
    struct Case {
        const char *name;
        Bytes bytes;
        const char *chunkId;
        FormatCheck check;
        LexemeReadError expected;
    };
    const Case cases[] = {
        {"good", good, "0001", FormatCheck::BankFormat, LexemeReadError::None},
        {"not WAVE", notWave, "0001", FormatCheck::Skip, LexemeReadError::NoForm},
        {"no fmt", test::riffWave({test::chunk("0001", test::samples(4))}), "0001",
         FormatCheck::Skip, LexemeReadError::NoFormat},
        {"short fmt", shortFormat, "0001", FormatCheck::Skip, LexemeReadError::FormatShort},
        {"stereo",
         test::riffWave({test::chunk("fmt ", test::formatRecord(1, 2)),
                         test::chunk("0001", test::samples(4))}),
         "0001", FormatCheck::BankFormat, LexemeReadError::WrongFormat},
        {"stereo unchecked",
         test::riffWave({test::chunk("fmt ", test::formatRecord(1, 2)),
                         test::chunk("0001", test::samples(4))}),
         "0001", FormatCheck::Skip, LexemeReadError::None},
        {"missing", good, "0002", FormatCheck::BankFormat, LexemeReadError::NoChunk},
        {"empty", test::bank({test::chunk("0001", {})}), "0001", FormatCheck::Skip,
         LexemeReadError::EmptyChunk},
        {"short chunk", shortChunk, "0001", FormatCheck::Skip, LexemeReadError::ChunkShort},
    };
    for (const Case &c : cases) {
        const LexemeSound sound = readLexeme(write(c.bytes), c.chunkId, c.check);
        EXPECT_EQ(sound.error, c.expected) << c.name;
        EXPECT_EQ(sound.samples.empty(), c.expected != LexemeReadError::None) << c.name;
    }
    EXPECT_EQ(readLexeme(directory.path() / "absent.awf", "0001", FormatCheck::Skip).error,
              LexemeReadError::OpenFailed);
}

TEST_F(LexemeReaderTest, RenderConcatenatesChunksSkippingMarkersAndSilence)
{
    write(test::bank({test::chunk("0001", test::samples(3, 10)),
                      test::chunk("|  !", test::samples(2, 50)),
                      test::chunk("_005", test::samples(1, -7))}));
    const std::vector<std::string> keys = {"----17", "0001", "NULL", "----18",
                                           "_005",   "|  !", "0001", "----19"};
    const RenderedSpeech speech = renderKeySequence(bankPath, keys, {});
    ASSERT_TRUE(speech.ok()) << speech.error;
    EXPECT_EQ(speech.samples, (std::vector<std::int16_t>{10, 11, 12, -7, 50, 51, 10, 11, 12}));

    const RenderedSpeech missing = renderKeySequence(bankPath, {{"0001", "0009"}}, {});
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.samples.empty());
    EXPECT_NE(missing.error.find("'0009'"), std::string::npos) << missing.error;
}

TEST_F(LexemeReaderTest, OnlyTheGreetingPhraseIsChecked)
{
    write(
        test::bank({test::chunk("PRIV", test::samples(4)), test::chunk("0001", test::samples(2))}));
    int checks = 0;
    const GreetingCheck refuse = [&checks](std::span<const std::int16_t> samples) {
        ++checks;
        EXPECT_EQ(samples.size(), 4u);
        return false;
    };
    EXPECT_TRUE(readSpokenLexeme(bankPath, "0001", FormatCheck::BankFormat, refuse).ok());
    EXPECT_EQ(checks, 0);
    const LexemeSound greeting =
        readSpokenLexeme(bankPath, "PRIV", FormatCheck::BankFormat, refuse);
    EXPECT_EQ(greeting.error, LexemeReadError::NotCertified);
    EXPECT_TRUE(greeting.samples.empty());
    EXPECT_EQ(checks, 1);
    // Without a check the greeting phrase is never spoken.
    EXPECT_EQ(readSpokenLexeme(bankPath, "PRIV", FormatCheck::Skip, {}).error,
              LexemeReadError::NotCertified);
    EXPECT_TRUE(
        readSpokenLexeme(bankPath, "PRIV", FormatCheck::Skip, [](std::span<const std::int16_t>) {
            return true;
        }).ok());
}

} // namespace vorela
