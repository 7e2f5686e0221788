// Currency installation on a real registry store and real bank files.
#include "soundbank/CurrencyInstallation.h"

#include "platform/FileFaults.h"
#include "platform/RegistryStore.h"
#include "soundbank/RiffBytes.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vorela {
namespace {

using test::Bytes;
using test::chunk;
using test::samples;

const char *const Keys[] = {"DLR", "DLA", "DLV", "CNT", "CNA", "CNV", "EUR"};

/// Every key and value below key, as text, to tell whether anything changed.
void dump(const RegistryKey &key, std::ostringstream &out)
{
    out << '[' << key.name() << "]\n";
    for (const RegistryValue &value : key.values())
        out << value.name << '=' << value.text << value.dword << '\n';
    for (const RegistryKey &subkey : key.subkeys())
        dump(subkey, out);
}

/// A currency bank with both recordings of every word: R words start at 100, U words at 200.
Bytes currencyBank(std::string_view missing = "")
{
    std::vector<Bytes> chunks;
    std::int16_t first = 0;
    for (const char *key : Keys) {
        ++first;
        if (missing == key)
            continue;
        chunks.push_back(
            chunk("R" + std::string(key), samples(3, static_cast<std::int16_t>(100 + first))));
        chunks.push_back(
            chunk("U" + std::string(key), samples(2, static_cast<std::int16_t>(200 + first))));
    }
    return test::bank(chunks);
}

class CurrencyInstallationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        store = RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeFile(dir.dataDirectory().productBank(), productBank);
        test::writeFile(dir.dataDirectory().currencyBank(), currencyBank());
    }

    /// Top-level nodes 1..3 and 3\1..3\4, as every lexeme tree has them.
    void buildTree()
    {
        LexItem root(*store);
        for (int i = 0; i < 3; ++i)
            ASSERT_FALSE(root.AppendChild("Папка", "", 4, 1, 58, "").empty());
        for (int i = 0; i < 4; ++i)
            ASSERT_FALSE(root.AddToChild("3", "Папка", "", 4, 1, 58).empty());
    }

    void setLanguage(std::uint32_t language)
    {
        ASSERT_TRUE(store->createKey(EditorKeyPath).writeDword("Language", language));
    }

    CurrencyInstallation install()
    {
        LexItem root(*store); // loaded afresh, as at start-up
        return installCurrency(root, dir.dataDirectory());
    }

    std::string registryText()
    {
        std::ostringstream out;
        dump(store->localMachine(), out);
        return out.str();
    }

    std::shared_ptr<LexItem> node(LexItem &root, const std::string &top, const std::string &name)
    {
        const std::shared_ptr<LexItem> folder = root.GetChild(top);
        return folder ? folder->GetChild(name) : nullptr;
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store;
    const Bytes productBank = test::bank({chunk("0001", samples(4))});
};

TEST_F(CurrencyInstallationTest, FirstRunInstallsEveryWordAndBothFunctionsInOrder)
{
    buildTree();
    const CurrencyInstallation result = install();
    EXPECT_EQ(result.wordsPresent, 7u);
    EXPECT_TRUE(result.amountFunctionsPresent);

    std::vector<Bytes> chunks{chunk("0001", samples(4))};
    for (std::int16_t i = 1; i <= 7; ++i)
        chunks.push_back(
            chunk("+" + std::string(Keys[i - 1]), samples(3, static_cast<std::int16_t>(100 + i))));
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), test::bank(chunks));

    LexItem root(*store);
    const std::shared_ptr<LexItem> folder = node(root, "3", "4");
    ASSERT_TRUE(folder);
    const auto words = folder->GetChildren();
    ASSERT_EQ(words.size(), 7u);
    EXPECT_EQ(words[2]->GetChunk(), "+DLV");
    EXPECT_EQ(words[2]->key().readString("text"), "Долларов");
    EXPECT_EQ(words[2]->key().readString("text1"), "Доларiв");
    EXPECT_EQ(words[6]->key().readString("text1"), "Євро");
    EXPECT_EQ(words[6]->GetIcon(), 3u);
    EXPECT_EQ(words[6]->GetMask(), 1u);
    const auto functions = root.GetChild("2")->GetChildren();
    ASSERT_EQ(functions.size(), 2u);
    EXPECT_EQ(functions[0]->GetChunk(), "@010");
    EXPECT_EQ(functions[1]->key().readString("text"), "СУММА (евро)");
    EXPECT_EQ(functions[1]->key().readString("text1"), "СУМА (євро)");
    EXPECT_EQ(functions[1]->GetIcon(), 2u);
    EXPECT_EQ(functions[1]->GetMask(), 0u);

    // A second start-up finds everything and changes nothing.
    const std::string registryBefore = registryText();
    const Bytes bankBefore = test::readFile(dir.dataDirectory().productBank());
    EXPECT_EQ(install().wordsPresent, 7u);
    EXPECT_EQ(registryText(), registryBefore);
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), bankBefore);
}

TEST_F(CurrencyInstallationTest, UkrainianCopiesTheUWordAndKeepsRenamedNodes)
{
    setLanguage(1);
    buildTree();
    {
        LexItem root(*store);
        const std::string name = root.GetChild("3")->AddToChild("4", "Мой доллар", "+DLR", 3, 0, 1);
        ASSERT_FALSE(name.empty());
    }
    EXPECT_EQ(install().wordsPresent, 7u);
    std::vector<Bytes> chunks{chunk("0001", samples(4))};
    for (std::int16_t i = 1; i <= 7; ++i)
        chunks.push_back(
            chunk("+" + std::string(Keys[i - 1]), samples(2, static_cast<std::int16_t>(200 + i))));
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), test::bank(chunks));
    LexItem root(*store);
    const auto words = node(root, "3", "4")->GetChildren();
    ASSERT_EQ(words.size(), 7u);
    EXPECT_EQ(words[0]->key().readString("text"), "Мой доллар");
}

TEST_F(CurrencyInstallationTest, MissingWordSkipsItAndTheFunctions)
{
    buildTree();
    std::filesystem::remove(dir.dataDirectory().currencyBank());
    std::vector<Bytes> present{chunk("0001", samples(4))};
    for (const char *key : Keys) {
        if (std::string_view(key) != "EUR")
            present.push_back(chunk("+" + std::string(key), samples(1)));
    }
    test::writeFile(dir.dataDirectory().productBank(), test::bank(present));
    const CurrencyInstallation result = install();
    EXPECT_EQ(result.wordsPresent, 6u);
    EXPECT_FALSE(result.amountFunctionsPresent);
    EXPECT_FALSE(result.writeFailed); // a missing source is no failure
    LexItem root(*store);
    EXPECT_EQ(node(root, "3", "4")->GetChildren().size(), 6u);
    EXPECT_TRUE(root.GetChild("2")->GetChildren().empty());
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), test::bank(present));

    test::writeFile(dir.dataDirectory().currencyBank(), currencyBank("EUR"));
    EXPECT_EQ(install().wordsPresent, 6u);
}

TEST_F(CurrencyInstallationTest, WithoutTheCurrencyFolderNothingIsTouched)
{
    {
        LexItem root(*store);
        for (int i = 0; i < 3; ++i)
            ASSERT_FALSE(root.AppendChild("Папка", "", 4, 1, 58, "").empty());
    }
    const std::string before = registryText();
    EXPECT_EQ(install().wordsPresent, 0u);
    EXPECT_EQ(registryText(), before);
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), productBank);
}

// A missing source skips a word silently; a sound or a node that cannot be written is reported.
TEST_F(CurrencyInstallationTest, AWriteThatFailsIsReported)
{
    buildTree();
    FileFaults faults;
    faults.failNth(FileOperation::Write, 1);
    {
        LexItem root(*store);
        const CurrencyInstallation result = installCurrency(root, dir.dataDirectory(), &faults);
        EXPECT_TRUE(result.writeFailed);
        EXPECT_EQ(result.wordsPresent, 6u);
    }
    store->failStep(1);
    CurrencyInstallation result = install();
    store->failStep(std::nullopt);
    EXPECT_TRUE(result.writeFailed);
    EXPECT_FALSE(result.amountFunctionsPresent);

    result = install();
    EXPECT_FALSE(result.writeFailed);
    EXPECT_EQ(result.wordsPresent, 7u);
    EXPECT_TRUE(result.amountFunctionsPresent);
}

} // namespace
} // namespace vorela
