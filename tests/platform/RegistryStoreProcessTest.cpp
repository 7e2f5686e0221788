// The registry store beside another process that holds its write lock for longer than the store
// waits: an import, an initialisation, a stalled notification application.
#include "platform/RegistryStore.h"

#include "support/StoreLockHolder.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vorela {

using namespace std::chrono_literals;

namespace {

constexpr std::chrono::milliseconds ShortTimeout = 300ms;

std::unique_ptr<RegistryStore> openStore(const std::filesystem::path &file)
{
    std::string error;
    std::unique_ptr<RegistryStore> store = RegistryStore::open(file, error, ShortTimeout);
    EXPECT_TRUE(store) << error;
    return store;
}

} // namespace

TEST(RegistryStoreBusy, AChangeFailsWhileAnotherProcessWritesAndTheNextOneSucceeds)
{
    const test::TempDataDir dir;
    const std::unique_ptr<RegistryStore> store = openStore(dir.dataDirectory().registry());
    ASSERT_TRUE(store);
    const RegistryKey key = store->createKey("Software\\vorela\\Editor");
    ASSERT_TRUE(key.writeString("v", "before"));

    test::StoreLockHolder writer(store->file());
    ASSERT_TRUE(writer.held());
    EXPECT_FALSE(key.writeString("v", "during"));
    EXPECT_FALSE(store->createKey("Software\\New").isOpen());
    EXPECT_EQ(key.readString("v"), "before"); // reading needs no lock
    ASSERT_TRUE(writer.commit());

    EXPECT_TRUE(key.writeString("v", "after"));
    EXPECT_TRUE(store->createKey("Software\\New").isOpen());
    RegistryTransaction transaction(*store);
    EXPECT_TRUE(key.writeDword("d", 7));
    EXPECT_TRUE(transaction.commit());
    const std::unique_ptr<RegistryStore> reopened = openStore(store->file());
    EXPECT_EQ(reopened->openKey("Software\\vorela\\Editor").readString("v"), "after");
}

TEST(RegistryStoreBusy, AStoreAnotherProcessWritesOpensForReading)
{
    const test::TempDataDir dir;
    const std::filesystem::path file = dir.dataDirectory().registry();
    ASSERT_TRUE(openStore(file)->createKey("Software").writeString("v", "1"));
    test::StoreLockHolder writer(file);
    ASSERT_TRUE(writer.held());
    const std::unique_ptr<RegistryStore> store = openStore(file);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->openKey("Software").readString("v"), "1");
    ASSERT_TRUE(writer.commit());
    EXPECT_TRUE(store->openKey("Software").writeString("v", "2"));
}

TEST(RegistryStoreBusy, ANewStoreAnotherProcessWritesIsReportedBusy)
{
    const test::TempDataDir dir;
    const std::filesystem::path file = dir.dataDirectory().registry();
    test::StoreLockHolder writer(file);
    ASSERT_TRUE(writer.held());
    std::string error;
    EXPECT_FALSE(RegistryStore::open(file, error, ShortTimeout));
    EXPECT_EQ(error, file.string() + ": the registry store is busy: another process is writing "
                                     "it; try again when it has finished");
    ASSERT_TRUE(writer.commit());
    EXPECT_TRUE(openStore(file));
}

} // namespace vorela
