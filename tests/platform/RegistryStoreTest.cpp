#include "platform/RegistryStore.h"

#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace vorela {

class RegistryStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryStore> openStore()
    {
        std::string error;
        std::unique_ptr<RegistryStore> opened = RegistryStore::open(dir.dataDirectory().registry(), error);
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
        {"Software", "SOFTWARE"}, {"Лексемы и функции", "ЛЕКСЕМЫ И ФУНКЦИИ"}, {"Ёлка", "ёЛКА"},
        {"Їжак Ґава Єва Іра", "їжак ґава єва іра"}, {"Éte", "éTE"},
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
    for (std::size_t index = 0; const std::optional<std::string> name = parent.enumerateSubkey(index);
         ++index) {
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
    for (unsigned nth = 1; nth <= 3; ++nth) {
        store->failStep(nth);
        RegistryTransaction transaction(*store);
        const bool first = key.writeString("a", "x"); // steps 1 (write) and 2 (release)
        const bool second = first && key.writeString("b", "x"); // steps 3 and 4
        EXPECT_EQ(first, nth > 2) << nth;
        EXPECT_FALSE(second) << nth;
        EXPECT_TRUE(store->failureTriggered());
    }
    store->failStep(std::nullopt);
    EXPECT_FALSE(key.hasValue("a"));
    store->failStep(1);
    EXPECT_FALSE(store->createKey("New").isOpen());
    EXPECT_FALSE(store->openKey("New").isOpen());
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
