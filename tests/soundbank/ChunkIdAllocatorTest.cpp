// New chunk ids over the lexeme store and a real bank file; expected ids worked out by hand.
#include "soundbank/ChunkIdAllocator.h"

#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

using Chunks = std::vector<std::string>;

TEST(ChunkIdAllocatorTest, LexemeIdIsAboveTheWholeStoreAndFreeInTheBank)
{
    const Chunks store{"0003", "#001", "@010", "PRIV", "0041", "+DLR", "12ab", "00999"};
    EXPECT_EQ(ChunkIdAllocator(store, {}).newLexemeChunkId(), "0042");
    EXPECT_EQ(ChunkIdAllocator({}, {}).newLexemeChunkId(), "0001");
    EXPECT_EQ(ChunkIdAllocator(store, {"0042", "0043"}).newLexemeChunkId(), "0044");

    // Each id handed out is taken: the demo's phrases get one after another.
    ChunkIdAllocator ids(store, {"0043"});
    EXPECT_EQ(ids.newLexemeChunkId(), "0042");
    EXPECT_EQ(ids.newLexemeChunkId(), "0044");

    // Past 9999 the lowest free id; a five-digit id would not fit the bank.
    EXPECT_EQ(ChunkIdAllocator(Chunks{"0001", "0002", "9999"}, {"0003"}).newLexemeChunkId(),
              "0004");
}

TEST(ChunkIdAllocatorTest, BothEndsOfTheRangeAreHandedOut)
{
    // Every id but one taken: that one is found, above or below the store's largest id.
    const auto allBut = [](unsigned free) {
        std::set<std::string> used;
        for (unsigned number = 1; number <= 9999; ++number) {
            char text[8];
            std::snprintf(text, sizeof text, "%04u", number);
            if (number != free)
                used.insert(text);
        }
        return used;
    };
    const struct {
        Chunks store;
        unsigned bankLacks; // the one id the bank lacks (0 is no id: it has them all)
        std::optional<std::string> expected;
    } cases[] = {
        {{"9998"}, 9999, "9999"}, {{"0001"}, 9999, "9999"}, {{"9999"}, 1, "0001"},
        {{"9999"}, 9998, "9998"}, {{"5000"}, 4999, "4999"}, {{"9999"}, 0, std::nullopt},
    };
    for (const auto &entry : cases)
        EXPECT_EQ(ChunkIdAllocator(entry.store, allBut(entry.bankLacks)).newLexemeChunkId(),
                  entry.expected)
            << entry.store.front() << " " << entry.bankLacks;
}

TEST(ChunkIdAllocatorTest, TableIdsCountLastByteFastestAndSkipEveryUsedId)
{
    EXPECT_EQ(ChunkIdAllocator({}, {}).newTableChunkId(), "|   ");
    // Other shapes with the same last three bytes do not block the id.
    EXPECT_EQ(ChunkIdAllocator(Chunks{"0   ", "+   "}, {}).newTableChunkId(), "|   ");
    // The last byte runs through 255 (decoded as Windows-1251) before the middle one advances.
    std::set<std::string> used;
    for (int low = 32; low <= 255; ++low)
        used.insert(std::string{'|', ' ', ' ', static_cast<char>(low)});
    EXPECT_EQ(ChunkIdAllocator({}, used).newTableChunkId(), "| ! ");
    used.erase(std::string{'|', ' ', ' ', static_cast<char>(0xFF)});
    ChunkIdAllocator ids({}, used);
    EXPECT_EQ(ids.newTableChunkId(), "|  я");
    EXPECT_EQ(ids.newTableChunkId(), "| ! ");
}

TEST(ChunkIdAllocatorTest, IdsOfTheWholeStoreAndTheBankFileAreTaken)
{
    test::TempDataDir directory;
    const std::filesystem::path bank = directory.dataDirectory().productBank();
    // "|  !" and "0042" sit only in the bank (sounds left behind); "|   " and "|  \"" only in the
    // store, in tables of other folders.
    test::writeFile(bank, test::bank({test::chunk("|  !", test::samples(2)),
                                      test::chunk("0042", test::samples(2))}));
    const Chunks store = {"0041", "|   ", "#001", "|  \"", "@007"};
    ChunkIdAllocator ids = ChunkIdAllocator::forBank(store, bank);
    EXPECT_EQ(ids.newTableChunkId(), "|  #");
    EXPECT_EQ(ids.newLexemeChunkId(), "0043");
    // Without a readable bank the store's ids still count.
    EXPECT_EQ(ChunkIdAllocator::forBank(store, directory.path() / "none.awf").newTableChunkId(),
              "|  !");
}

} // namespace
} // namespace vorela
