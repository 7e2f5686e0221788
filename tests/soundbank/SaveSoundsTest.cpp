// SaveSounds on real bank files: where each sound of a batch lands, the refusal of a batch naming
// one id twice, and every failing step of the one rewrite.
#include "soundbank/SoundBank.h"

#include "platform/FileFaults.h"
#include "soundbank/BankFileTest.h"
#include "soundbank/RiffBytes.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

using test::Bytes;
using test::chunk;
using test::samples;
using test::sampleValues;

const std::string &Title = test::BankTestTitle;
const Bytes OddData{1, 2, 3, 4, 5};

class SaveSoundsTest : public test::BankFileTest {
protected:
    void SetUp() override { writeBank(oldBank); }

    // An odd chunk between the replaced ones, and a second "0002" that older editors could leave.
    const Bytes oldBank = test::bank({chunk("0001", samples(3, 10)), chunk("0002", samples(5, 20)),
                                      chunk("0003", OddData), chunk("0002", samples(1, 40))});
    const std::vector<SoundReplacement> batch{{"0005", sampleValues(2, 50)},
                                              {"0002", sampleValues(1, 60)},
                                              {"0001", sampleValues(4, 70)},
                                              {"0004", sampleValues(3, 80)}};
    const Bytes newBank =
        test::bank({chunk("0001", samples(4, 70)), chunk("0002", samples(1, 60)),
                    chunk("0003", OddData), chunk("0002", samples(1, 40)),
                    chunk("0005", samples(2, 50)), chunk("0004", samples(3, 80))});
};

TEST_F(SaveSoundsTest, EachSoundTakesItsChunksPlaceOrFollowsInListOrder)
{
    ASSERT_TRUE(soundBank.SaveSounds(batch));
    EXPECT_EQ(bankBytes(), newBank);
    EXPECT_FALSE(temporaryLeft());
    EXPECT_TRUE(ui.messages().empty());

    // The one-sound case stays SaveSound's layout.
    ASSERT_FALSE(soundBank.SaveSound("0003", sampleValues(1, 90)));
    ASSERT_TRUE(soundBank.SaveSounds(std::vector<SoundReplacement>{{"0006", {}}}));
    EXPECT_EQ(bankBytes(), test::bank({chunk("0001", samples(4, 70)), chunk("0002", samples(1, 60)),
                                       chunk("0003", samples(1, 90)), chunk("0002", samples(1, 40)),
                                       chunk("0005", samples(2, 50)), chunk("0004", samples(3, 80)),
                                       chunk("0006", {})}));
}

TEST_F(SaveSoundsTest, ABatchNamingOneIdTwiceIsRefusedWhole)
{
    // Ids are compared as stored: the first four characters, blank-padded.
    const std::vector<std::pair<std::vector<SoundReplacement>, std::string>> cases{
        {{{"0007", sampleValues(1)}, {"0001", sampleValues(2)}, {"0007", sampleValues(3)}}, "0007"},
        {{{"00011", sampleValues(1)}, {"0001", sampleValues(2)}}, "0001"},
        {{{"_1", sampleValues(1)}, {"_1  ", sampleValues(2)}}, "_1  "},
    };
    for (const auto &[sounds, id] : cases) {
        const std::string text = "Звук «" + id + "» указан дважды, поэтому ничего не сохранено.";
        ui.expectMessage(text, MessageAnswer::Ok);
        EXPECT_FALSE(soundBank.SaveSounds(sounds)) << id;
        ASSERT_TRUE(ui.finished());
        EXPECT_EQ(ui.messages().back().text, text);
        EXPECT_EQ(ui.messages().back().caption, Title);
        EXPECT_EQ(bankBytes(), oldBank) << id;
        EXPECT_FALSE(temporaryLeft());
    }
}

TEST_F(SaveSoundsTest, AMissingBankIsReportedAndNotCreated)
{
    std::filesystem::remove(bankPath());
    ui.expectMessage("Ошибка сохранения файла (0001)", MessageAnswer::Ok);
    EXPECT_FALSE(soundBank.SaveSounds(batch));
    EXPECT_TRUE(ui.finished());
    EXPECT_FALSE(std::filesystem::exists(bankPath()));
    EXPECT_FALSE(temporaryLeft());
}

class SaveSoundsFaultTest : public SaveSoundsTest,
                            public ::testing::WithParamInterface<FileOperation> {};

TEST_P(SaveSoundsFaultTest, EachFailingStepLeavesTheOldBank)
{
    const bool building = GetParam() == FileOperation::Write;
    int nth = 1;
    for (;; ++nth) {
        test::writeFile(bankPath(), oldBank);
        faults.failNth(GetParam(), nth);
        // Building the new bank fails with its number; a failed replace asks Retry or Cancel.
        ui.expectMessage(building ? "Ошибка сохранения файла (0002)" : "Ошибка сохранения файла!",
                         MessageAnswer::Cancel);
        if (soundBank.SaveSounds(batch))
            break;
        EXPECT_EQ(bankBytes(), oldBank) << nth;
        EXPECT_FALSE(temporaryLeft()) << nth;
        ASSERT_TRUE(ui.finished()) << nth;
    }
    EXPECT_GT(nth, 1);
    EXPECT_EQ(bankBytes(), newBank);
    EXPECT_FALSE(temporaryLeft());
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, SaveSoundsFaultTest,
                         ::testing::Values(FileOperation::Write, FileOperation::Fsync,
                                           FileOperation::Rename));

} // namespace
} // namespace vorela
