// The one buffer a template is spoken from, and the table saying which item each sample voices.
#include "soundbank/KeySequenceRender.h"

#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {

class KeySequenceRenderTest : public testing::Test {
protected:
    void SetUp() override
    {
        test::writeFile(bankPath, test::bank({test::chunk("0001", test::samples(3, 10)),
                                              test::chunk("0002", test::samples(2, 50))}));
    }

    test::TempDataDir directory;
    std::filesystem::path bankPath = directory.path() / "vorela.awf";
};

TEST_F(KeySequenceRenderTest, MarkersStartTheirItemsWhereTheNextSoundBegins)
{
    const std::vector<std::string> keys = {"0002", "----7", "0001", "NULL",  "0002",  "----8",
                                           "NULL", "----9", "0001", "----x", "----10"};
    const RenderedSpeech speech = renderKeySequence(bankPath, keys, {});
    ASSERT_TRUE(speech.ok()) << speech.error;
    EXPECT_EQ(speech.samples, (std::vector<std::int16_t>{50, 51, 10, 11, 12, 50, 51, 10, 11, 12}));
    EXPECT_TRUE(speech.format.isBankFormat());
    // An unreadable marker names no item; a marker at the end starts an item without sound.
    EXPECT_EQ(speech.items, (std::vector<ItemStart>{{2, 7}, {7, 8}, {7, 9}, {10, 10}}));

    struct Case {
        std::size_t sample;
        std::optional<std::uint64_t> item;
    };
    // Item 8 has no sound: it starts where item 9 does and is never the one being spoken.
    const Case cases[] = {{0, {}}, {1, {}}, {2, 7}, {6, 7}, {7, 9}, {9, 9}, {10, 10}, {99, 10}};
    for (const Case &c : cases)
        EXPECT_EQ(itemAt(speech.items, c.sample), c.item) << c.sample;
    EXPECT_EQ(itemAt({}, 0), std::nullopt);
}

TEST_F(KeySequenceRenderTest, AFailingLexemeKeepsTheItemsBeforeItAndNoSound)
{
    const RenderedSpeech speech =
        renderKeySequence(bankPath, {{"----1", "0001", "----2", "0009", "----3", "0002"}}, {});
    EXPECT_FALSE(speech.ok());
    EXPECT_EQ(speech.failure, LexemeReadError::NoChunk);
    EXPECT_TRUE(speech.samples.empty());
    EXPECT_EQ(speech.items, (std::vector<ItemStart>{{0, 1}, {3, 2}}));
}

} // namespace vorela
