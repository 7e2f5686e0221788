// The bytes a bank rewrite leaves around odd-sized chunks (word aligned, with their pad byte) and
// around a torn chunk at the end of the form, checked against offsets worked out by hand.
#include "soundbank/SoundBank.h"

#include "platform/AtomicFileReplace.h"
#include "soundbank/BankSplice.h"
#include "soundbank/RiffBytes.h"
#include "soundbank/WaveFile.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

using test::Bytes;
using test::chunk;
using test::samples;
using test::sampleValues;

// 12 bytes of RIFF header and 24 of "fmt " put the first sound chunk at 36.
constexpr std::size_t FirstChunk = 36;
const Bytes OddData{1, 2, 3, 4, 5};
const char *const ChunkReadText = "Ошибка pаботы с файлом! (0006)";

class BankRewriteLayoutTest : public ::testing::Test {
protected:
    std::filesystem::path bankPath() const { return dir.dataDirectory().productBank(); }
    Bytes bankBytes() const { return test::readFile(bankPath()); }

    test::TempDataDir dir;
    test::ScriptedUiServices ui;
    SoundBank soundBank{dir.dataDirectory(), ui};
};

TEST_F(BankRewriteLayoutTest, OddSizedChunksKeepTheirPadByteThroughEveryRewrite)
{
    // "0001" at 36 (6 bytes), "0002" at 50 (5 bytes and the pad), "0003" at 64.
    const Bytes oddBank =
        test::bank({chunk("0001", samples(3)), chunk("0002", OddData), chunk("0003", samples(1))});
    ASSERT_EQ(oddBank.size(), 74u);
    ASSERT_EQ(oddBank[63], 0);

    // Appending puts the new chunk after the last one's pad: at 74.
    test::writeFile(bankPath(), oddBank);
    ASSERT_FALSE(soundBank.SaveSound("0004", sampleValues(2, 7)));
    Bytes bytes = bankBytes();
    EXPECT_EQ(bytes, test::bank({chunk("0001", samples(3)), chunk("0002", OddData),
                                 chunk("0003", samples(1)), chunk("0004", samples(2, 7))}));
    ASSERT_EQ(bytes.size(), 86u);
    EXPECT_EQ(Bytes(bytes.begin() + 74, bytes.begin() + 78), (Bytes{'0', '0', '0', '4'}));

    // Replacing the odd chunk takes its pad byte with it: "0003" follows at 50 + 8 + 4.
    test::writeFile(bankPath(), oddBank);
    ASSERT_FALSE(soundBank.SaveSound("0002", sampleValues(2, 7)));
    bytes = bankBytes();
    EXPECT_EQ(bytes, test::bank({chunk("0001", samples(3)), chunk("0002", samples(2, 7)),
                                 chunk("0003", samples(1))}));
    EXPECT_EQ(Bytes(bytes.begin() + 62, bytes.begin() + 66), (Bytes{'0', '0', '0', '3'}));

    // Removing it takes the pad byte too: "0003" moves from 64 to 50.
    test::writeFile(bankPath(), oddBank);
    ASSERT_FALSE(soundBank.RemoveSound("0002"));
    bytes = bankBytes();
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(Bytes(bytes.begin() + 50, bytes.end()), chunk("0003", samples(1)));
    EXPECT_EQ(test::u32At(bytes, 4), 52u);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(BankRewriteLayoutTest, AnOddChunkWrittenBySpliceOrAppendIsPadded)
{
    const Bytes start = test::bank({chunk("0001", samples(3))});
    test::writeFile(bankPath(), start);
    {
        BinaryFile old;
        ASSERT_TRUE(old.open(bankPath(), BinaryFile::Access::Read));
        AtomicFileReplace replace(bankPath(), dir.dataDirectory().temporaryBank());
        ASSERT_TRUE(replace.create());
        const BankEdit insertion{FirstChunk, FirstChunk, ChunkId::fromText("0000"), OddData};
        ASSERT_TRUE(writeSplicedBank(replace, old, start.size(), std::span(&insertion, 1)));
        ASSERT_TRUE(replace.commit());
    }
    // "0001" moves from 36 to 36 + 8 + 5 + 1.
    Bytes expected = test::bank({chunk("0000", OddData), chunk("0001", samples(3))});
    EXPECT_EQ(bankBytes(), expected);
    EXPECT_EQ(Bytes(expected.begin() + 50, expected.begin() + 54), (Bytes{'0', '0', '0', '1'}));

    // In place: the pad byte is on disk with the chunk, before anything follows it.
    test::writeFile(bankPath(), start);
    WaveFile file;
    ASSERT_TRUE(file.Open(bankPath()));
    ASSERT_TRUE(file.AppendChunk("+DLR", OddData));
    expected = test::bank({chunk("0001", samples(3)), chunk("+DLR", OddData)});
    ASSERT_EQ(expected.size(), 64u);
    EXPECT_EQ(bankBytes(), expected);
    ASSERT_TRUE(file.AppendChunk("+CNT", samples(1)));
    file.Close();
    expected =
        test::bank({chunk("0001", samples(3)), chunk("+DLR", OddData), chunk("+CNT", samples(1))});
    EXPECT_EQ(bankBytes(), expected);
}

TEST_F(BankRewriteLayoutTest, AnOddLastChunkWithoutItsPadByteGetsItBeforeTheNextChunk)
{
    // Other writers leave out the pad byte after the last chunk; 36 + 8 + 5 is odd.
    Bytes unpadded = test::bank({chunk("0001", OddData)});
    unpadded.pop_back();
    test::setU32At(unpadded, 4, static_cast<std::uint32_t>(unpadded.size() - 8));
    const Bytes expected = test::bank({chunk("0001", OddData), chunk("0002", samples(1))});
    ASSERT_EQ(Bytes(expected.begin() + 50, expected.begin() + 54), (Bytes{'0', '0', '0', '2'}));

    test::writeFile(bankPath(), unpadded);
    ASSERT_FALSE(soundBank.SaveSound("0002", sampleValues(1)));
    EXPECT_EQ(bankBytes(), expected);

    test::writeFile(bankPath(), unpadded);
    WaveFile file;
    ASSERT_TRUE(file.Open(bankPath()));
    ASSERT_TRUE(file.AppendChunk("0002", samples(1)));
    file.Close();
    EXPECT_EQ(bankBytes(), expected);
}

/// A bank whose last chunk runs 4 bytes past the end of the form: past the RIFF size, or past
/// the end of the file.
std::vector<std::pair<const char *, Bytes>> tornBanks()
{
    const Bytes whole = test::bank({chunk("0001", samples(3)), chunk("0002", samples(2))});
    const Bytes withTorn = test::concat(whole, chunk("0003", samples(4)));
    Bytes pastRiffSize = withTorn;
    test::setU32At(pastRiffSize, 4, static_cast<std::uint32_t>(withTorn.size() - 8 - 4));
    Bytes pastFileEnd = withTorn;
    test::setU32At(pastFileEnd, 4, static_cast<std::uint32_t>(withTorn.size() - 8));
    pastFileEnd.resize(withTorn.size() - 4);
    return {{"past the RIFF size", pastRiffSize}, {"past the end of the file", pastFileEnd}};
}

TEST_F(BankRewriteLayoutTest, ATornChunkIsNoPartOfTheBankForReadersAndRewrites)
{
    const Bytes kept = test::bank({chunk("0001", samples(3)), chunk("0002", samples(2))});
    for (const auto &[what, torn] : tornBanks()) {
        test::writeFile(bankPath(), torn);
        WaveFile file;
        ASSERT_TRUE(file.Open(bankPath())) << what;
        ASSERT_EQ(file.chunks().size(), 2u) << what;
        EXPECT_EQ(file.chunks().back().id, ChunkId::fromText("0002")) << what;
        EXPECT_FALSE(file.HasChunk("0003")) << what;
        file.Close();
        LoadedSound sound;
        ui.expectMessage(ChunkReadText, MessageAnswer::Ok);
        EXPECT_FALSE(soundBank.LoadSound(bankPath(), "0003", /*checkFormat=*/true, sound)) << what;
        EXPECT_EQ(ui.messages().back().text, ChunkReadText) << what;

        // A rewrite anywhere in the bank drops the torn chunk whole, never a part of it.
        ASSERT_FALSE(soundBank.SaveSound("0001", sampleValues(3))) << what;
        EXPECT_EQ(bankBytes(), kept) << what;
        test::writeFile(bankPath(), torn);
        ASSERT_FALSE(soundBank.RemoveSound("0001")) << what;
        EXPECT_EQ(bankBytes(), test::bank({chunk("0002", samples(2))})) << what;
        test::writeFile(bankPath(), torn);
        ASSERT_FALSE(soundBank.RemoveSound("0003")) << what;
        EXPECT_EQ(bankBytes(), torn) << what; // not in the bank: nothing to remove
    }
    EXPECT_TRUE(ui.finished());
}

} // namespace
} // namespace vorela
