#include "platform/RegistryStore.h"

#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace vorela {

class RegistryStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryStore> openStore()
    {
        std::string error;
        std::unique_ptr<RegistryStore> opened =
            RegistryStore::open(dir.dataDirectory().registry(), error);
        EXPECT_TRUE(opened) << error;
        return opened;
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store = openStore();
};

TEST_F(RegistryStoreTest, NamesMatchIgnoringCaseIncludingCyrillic)
{
    const struct {
        const char *written;
        const char *looked;
    } cases[] = {
        {"Software", "SOFTWARE"}, {"Лексемы и функции", "ЛЕКСЕМЫ И ФУНКЦИИ"},
        {"Ёлка", "ёЛКА"},         {"Їжак Ґава Єва Іра", "їжак ґава єва іра"},
        {"Éte", "éTE"},
    };
    for (const auto &names : cases) {
        const RegistryKey created = store->createKey(std::string("Test\\") + names.written);
        ASSERT_TRUE(created.isOpen()) << names.written;
        const RegistryKey opened = store->openKey(std::string("test\\") + names.looked);
        EXPECT_EQ(opened.id(), created.id()) << names.looked;
        EXPECT_EQ(opened.name(), names.written); // the stored case is kept
        ASSERT_TRUE(created.writeString(names.written, "v"));
        EXPECT_EQ(opened.readString(names.looked), "v") << names.looked;
    }
    EXPECT_NE(store->openKey("Test\\Ёлка").id(), store->openKey("Test\\Елка").id());
    EXPECT_FALSE(store->openKey("Test\\Елка").isOpen());
}

TEST_F(RegistryStoreTest, SubkeysEnumerateInFoldedOrderFromAKeptList)
{
    const RegistryKey parent = store->createKey("P");
    for (const char *name : {"b", "10", "А", "2", "a", "B1", "1"})
        ASSERT_TRUE(parent.createKey(name).isOpen());
    const std::vector<std::string> expected = {"1", "10", "2", "a", "b", "B1", "А"};
    EXPECT_EQ(parent.subkeyNames(), expected);

    std::vector<std::string> enumerated;
    for (std::size_t index = 0;
         const std::optional<std::string> name = parent.enumerateSubkey(index); ++index) {
        enumerated.push_back(*name);
        if (index == 2) { // a key added meanwhile does not disturb the walk
            ASSERT_TRUE(parent.createKey("0").isOpen());
        }
    }
    EXPECT_EQ(enumerated, expected);
    EXPECT_EQ(parent.enumerateSubkey(0), "0");
}

TEST_F(RegistryStoreTest, ValuesKeepTheirTypeAndMissingOnesGetDefaults)
{
    const RegistryKey key = store->createKey("Software\\vorela\\Editor");
    const std::vector<std::uint8_t> bytes = {0, 1, 0xFF, 0};
    ASSERT_TRUE(key.writeString("text", "Привет"));
    ASSERT_TRUE(key.writeDword("Language", 0xFFFFFFFF));
    ASSERT_TRUE(key.writeBinary("blob", bytes));
    EXPECT_EQ(key.readString("TEXT"), "Привет");
    EXPECT_EQ(key.readDword("language"), 0xFFFFFFFFu);
    EXPECT_EQ(key.readBinary("Blob"), bytes);
    EXPECT_FALSE(key.readDword("text")); // another type is not converted
    EXPECT_EQ(key.stringValue("Language"), "");
    EXPECT_EQ(key.readDword("Language"), 0xFFFFFFFFu); // and not overwritten by a default

    EXPECT_FALSE(key.hasValue("icon"));
    EXPECT_EQ(key.dwordValue("icon"), 0u);
    EXPECT_EQ(key.readDword("icon"), 0u);
    EXPECT_EQ(key.stringValue("keyname"), "");
    EXPECT_TRUE(key.hasValue("keyname"));

    ASSERT_TRUE(key.writeDword("TEXT", 5)); // one value per folded name, its first spelling kept
    const std::vector<RegistryValue> values = key.values();
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values.back().name, "text");
    EXPECT_EQ(values.back().type, ValueType::Dword);
    EXPECT_TRUE(key.deleteValue("Text"));
    EXPECT_FALSE(key.deleteValue("text"));
}

TEST_F(RegistryStoreTest, DeletingAKeyTreeTakesEverythingBelowAndOnlyThat)
{
    const RegistryKey root = store->createKey("R");
    ASSERT_TRUE(root.createKey("A\\B\\C").writeString("v", "1"));
    ASSERT_TRUE(root.createKey("AB").writeString("v", "2"));
    const RegistryKey deep = root.openKey("A\\B\\C");
    EXPECT_TRUE(root.deleteSubkeyTree("a"));
    EXPECT_FALSE(root.openKey("A").isOpen());
    EXPECT_FALSE(deep.exists());
    EXPECT_FALSE(deep.writeString("v", "x")); // a handle to a deleted key writes nothing
    EXPECT_EQ(root.openKey("AB").readString("v"), "2");
    EXPECT_FALSE(root.deleteSubkeyTree("A"));
    EXPECT_FALSE(root.deleteSubkeyTree(""));
}

TEST_F(RegistryStoreTest, TransactionsRollBackUnlessCommittedAndNestAsSavepoints)
{
    const RegistryKey key = store->createKey("T");
    {
        RegistryTransaction outer(*store);
        ASSERT_TRUE(key.writeString("kept", "1"));
        {
            RegistryTransaction inner(*store);
            ASSERT_TRUE(key.writeString("dropped", "1"));
        } // not committed: only the inner writes go
        EXPECT_FALSE(key.hasValue("dropped"));
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_TRUE(key.hasValue("kept"));
    {
        RegistryTransaction outer(*store);
        RegistryTransaction inner(*store);
        ASSERT_TRUE(key.writeString("later", "1"));
        EXPECT_TRUE(inner.commit());
    } // the outer one was not committed
    EXPECT_FALSE(key.hasValue("later"));

    std::string error;
    const std::unique_ptr<RegistryStore> second = RegistryStore::open(store->file(), error);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->openKey("T").readString("kept"), "1");
}

TEST_F(RegistryStoreTest, TheFailureHookFailsExactlyTheNthStep)
{
    const RegistryKey key = store->createKey("H");
    for (unsigned nth = 1; nth <= 7; ++nth) {
        store->failStep(nth);
        RegistryTransaction transaction(*store); // step 1 (begin)
        // Steps 2 (savepoint), 3 (write) and 4 (release), then 5 to 7 for the second value.
        const bool first = key.writeString("a", "x");
        const bool second = first && key.writeString("b", "x");
        EXPECT_EQ(first, nth > 4) << nth;
        EXPECT_FALSE(second) << nth;
        EXPECT_TRUE(store->failureTriggered());
    }
    store->failStep(std::nullopt);
    EXPECT_FALSE(key.hasValue("a"));
    store->failStep(1);
    EXPECT_FALSE(store->createKey("New").isOpen());
    EXPECT_FALSE(store->openKey("New").isOpen());
}

// A read that fails tells nothing about the value: the getters that create defaults must not
// write their default over a stored value.
TEST_F(RegistryStoreTest, AFailedReadWritesNoDefault)
{
    const RegistryKey key = store->createKey("R");
    ASSERT_TRUE(key.writeString("text", "kept"));
    ASSERT_TRUE(key.writeDword("number", 7));
    store->failRead(1);
    EXPECT_EQ(key.stringValue("text"), "");
    store->failRead(1);
    EXPECT_EQ(key.dwordValue("number"), 0u);
    store->failRead(1);
    EXPECT_EQ(key.stringValue("absent"), "");
    EXPECT_EQ(key.readString("text"), "kept");
    EXPECT_EQ(key.readDword("number"), 7u);
    EXPECT_FALSE(key.hasValue("absent"));
    store->failRead(1);
    EXPECT_EQ(key.readValue("absent").state, ValueState::Failed);
    EXPECT_EQ(key.readValue("absent").state, ValueState::Missing);
}

// Another writer holding the store past the busy timeout fails BEGIN or SAVEPOINT like this; the
// store must be writable again as soon as the failed transaction ends.
TEST_F(RegistryStoreTest, AFailedBeginFailsItsTransactionOnly)
{
    const RegistryKey key = store->createKey("B");
    for (const bool nested : {false, true}) {
        {
            std::optional<RegistryTransaction> outer;
            if (nested)
                outer.emplace(*store);
            store->failStep(1);
            RegistryTransaction failed(*store);
            EXPECT_FALSE(failed.isActive()) << nested;
            EXPECT_TRUE(store->failureTriggered()) << nested;
            EXPECT_FALSE(key.writeString("lost", "1")) << nested;
            EXPECT_FALSE(failed.commit()) << nested;
            if (outer) {
                EXPECT_TRUE(key.writeString("kept", "1"));
                EXPECT_TRUE(outer->commit());
            }
        }
        EXPECT_FALSE(key.hasValue("lost")) << nested;
        EXPECT_TRUE(key.writeString("later", "1")) << nested;
        EXPECT_TRUE(store->createKey("B\\Sub").isOpen()) << nested;
    }
    EXPECT_TRUE(key.hasValue("kept"));
}

// The notification application relies on these: committed changes survive a power loss (FULL),
// readers never block the writer (WAL), deletes cascade, and a busy store is waited for.
TEST_F(RegistryStoreTest, TheConnectionIsSetUpForSharingAndDurability)
{
    const RegistryStore::ConnectionSettings settings = store->connectionSettings();
    EXPECT_EQ(settings.journalMode, "wal");
    EXPECT_EQ(settings.synchronous, "2"); // FULL
    EXPECT_EQ(settings.foreignKeys, "1");
    EXPECT_EQ(settings.busyTimeout, "5000");
}

TEST(RegistryStoreOpen, AFileThatIsNoStoreFailsWithAReason)
{
    const test::TempDataDir dir;
    const std::filesystem::path file = dir.path() / "registry.sqlite";
    {
        std::ofstream junk(file);
        junk << std::string(4096, 'x');
    }
    std::string error;
    EXPECT_FALSE(RegistryStore::open(file, error));
    EXPECT_NE(error.find("registry.sqlite"), std::string::npos);
    EXPECT_FALSE(RegistryStore::open(dir.path() / "missing" / "registry.sqlite", error));
}

} // namespace vorela
