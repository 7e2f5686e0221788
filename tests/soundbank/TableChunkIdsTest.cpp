#include "soundbank/TableChunkIds.h"

#include "soundbank/RiffBytes.h"
#include "stores/LexemeTable.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {

TEST(TableChunkIds, IdsOfTheWholeStoreAndTheBankAreTaken)
{
    test::TempDataDir directory;
    const std::filesystem::path bank = directory.dataDirectory().productBank();
    // "|  !" sits only in the bank (a sound left behind); "|   " and "|  \"" only in the store,
    // in tables of other folders.
    test::writeFile(bank, test::bank({test::chunk("|  !", test::samples(2)),
                                      test::chunk("0001", test::samples(2))}));
    const std::vector<std::string> storeChunks = {"0001", "|   ", "#001", "|  \"", "@007", "|Я"};
    const std::set<std::string> used = usedChunkIds(storeChunks, bank);
    EXPECT_TRUE(used.contains("#001"));
    EXPECT_TRUE(used.contains("|\xDF  ")); // Windows-1251, blank-padded
    EXPECT_EQ(nextTableChunkId(used), "|  #");
    // Without a readable bank the store's ids still count.
    EXPECT_EQ(nextTableChunkId(usedChunkIds(storeChunks, directory.path() / "none.awf")), "|  !");
}

} // namespace vorela
