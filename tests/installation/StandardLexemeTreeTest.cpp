// The standard tree of a new installation, the word table behind it, and what the editor and the
// currency installation expect to find in it.
#include "installation/StandardLexemeTree.h"

#include "installation/NewInstallation.h"
#include "installation/StandardWords.h"
#include "platform/RegistryStore.h"
#include "soundbank/CurrencyInstallation.h"
#include "soundbank/WaveFile.h"
#include "speech/SpeechVocabulary.h"
#include "stores/LexItem.h"
#include "support/TempDataDir.h"
#include "trees/TreeRules.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

namespace vorela {

namespace {

TEST(SpeechVocabularyTest, HoldsExactlyTheWordsOfNumbersAmountsDatesAndAddresses)
{
    // 53 number and address words, 22 money and group words, 54 day and month words, 6 clock words.
    const std::set<std::string> &keys = composableKeys();
    EXPECT_EQ(keys.size(), 135u);
    for (const char *key : {"_01A", "_02E", "_900", "__PS", "___/", "___К", "HOME", "FLAT", "+RR ",
                            "+SS ", "+13 ", "+16B", "+EUR", "_E30", "_O20", "+T12", "+CLW", "+MNI"})
        EXPECT_TRUE(keys.contains(key)) << key;
    for (const char *key : {"_E21", "_E31", "___Й", "_01B", "NULL", "----"})
        EXPECT_FALSE(keys.contains(key)) << key;
}

TEST(SpeechVocabularyTest, EachFunctionNeedsOnlyItsOwnWords)
{
    struct Case {
        unsigned code;
        DateCase dateCase;
        const char *needed;
        const char *notNeeded;
    };
    const Case cases[] = {
        {0, DateCase::Nominative, "_090", "_01A"}, // telephone numbers are masculine
        {2, DateCase::Nominative, "+MNA", "+T01"},  {3, DateCase::Nominative, "_E15", "_O15"},
        {4, DateCase::Nominative, "_O15", "_E15"},  {6, DateCase::Genitive, "_O30", "_E30"},
        {7, DateCase::Nominative, "+SSK", "+RRE"},  {9, DateCase::Nominative, "+RR ", "+GRA"},
        {10, DateCase::Nominative, "+CNV", "+EUR"}, {11, DateCase::Nominative, "___Б", "FLAT"},
        {12, DateCase::Nominative, "FLAT", "HOME"}, {13, DateCase::Nominative, "+EUR", "+DLR"},
    };
    for (const Case &c : cases) {
        const std::set<std::string> keys = functionKeys(c.code, c.dateCase);
        EXPECT_TRUE(keys.contains(c.needed)) << c.code << ' ' << c.needed;
        EXPECT_FALSE(keys.contains(c.notNeeded)) << c.code << ' ' << c.notNeeded;
    }
    EXPECT_TRUE(functionKeys(5).empty());
    EXPECT_TRUE(functionKeys(14).empty());
}

TEST(StandardWordsTest, NamesEveryComposableKeyAndNothingElse)
{
    std::set<std::string> named;
    for (const StandardWord &word : standardWords()) {
        EXPECT_TRUE(named.insert(std::string(word.key)).second) << "twice: " << word.key;
    }
    EXPECT_EQ(named, composableKeys());
}

class StandardTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(initDataDirectory(dir.dataDirectory(), error)) << error;
        store = RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        root = std::make_unique<LexItem>(*store);
    }

    std::shared_ptr<LexItem> at(const std::string &path) const
    {
        std::shared_ptr<LexItem> node;
        const LexItem *parent = root.get();
        for (std::size_t start = 0; start < path.size();) {
            const std::size_t end = path.find('\\', start);
            node = parent->GetChild(path.substr(start, end - start));
            if (!node)
                return nullptr;
            parent = node.get();
            start = end + 1;
        }
        return node;
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<LexItem> root;
};

TEST_F(StandardTreeTest, FunctionsFolderHasOneEntryPerCodeThenRelativeDatesAndTheBoundary)
{
    const std::shared_ptr<LexItem> functions = at("2\\");
    ASSERT_TRUE(functions && functions->IsFolder());
    const auto entries = functions->GetChildren();
    ASSERT_GE(entries.size(), 15u);
    for (unsigned code = 0; code <= 13; ++code) {
        char chunk[8];
        std::snprintf(chunk, sizeof chunk, "@%03u", code);
        EXPECT_EQ(entries[code]->GetChunk(), chunk);
        EXPECT_EQ(entries[code]->GetIcon(), 2u);
        EXPECT_EQ(entries[code]->GetMask(), 0u);
    }
    EXPECT_EQ(entries[7]->GetText(), "СУММА (грн)");
    EXPECT_EQ(entries[10]->GetText(), "СУММА (дол)");
    EXPECT_EQ(entries.back()->GetChunk(), "____");
    EXPECT_EQ(FindLexemePath(*store, "____"), entries.back()->GetPath());
    // The template expansion reads the offset from characters 7-9 and "им" from 12-13.
    EXPECT_EQ(entries[15]->GetChunk(), "@006");
    EXPECT_EQ(entries[15]->GetText(), "Дата +001 (рд)");
    EXPECT_EQ(entries[6]->GetText(), "Дата +000 (им)");
}

TEST_F(StandardTreeTest, GreetingPhraseAndWordFoldersWithTheCurrencyFolderFourth)
{
    EXPECT_EQ(FindLexemePath(*store, "PRIV"), "1\\1\\");
    const std::shared_ptr<LexItem> currency = at("3\\4\\");
    ASSERT_TRUE(currency && currency->IsFolder());
    EXPECT_EQ(currency->GetText(), "Валюта");
    EXPECT_EQ(FindLexemePath(*store, "+GRE").substr(0, 4), "3\\4\\");
    EXPECT_EQ(FindLexemePath(*store, "_01A").substr(0, 2), "3\\");
    const std::shared_ptr<LexItem> lexeme = at(FindLexemePath(*store, "+T05"));
    ASSERT_TRUE(lexeme);
    EXPECT_EQ(lexeme->GetText(), "мая");
    EXPECT_EQ(lexeme->GetIcon(), 4u);
    EXPECT_EQ(lexeme->GetMask(), LexemeMask);
    // Dollar and euro words come from the currency bank when the editor starts.
    EXPECT_EQ(FindLexemePath(*store, "+DLR"), "");
}

TEST_F(StandardTreeTest, FoldersTheOperatorFillsAlsoTakeTablesAndStayRenamable)
{
    const std::string folders[] = {"1\\", "3\\", "3\\1\\", "3\\5\\"};
    for (const std::string &path : folders) {
        const std::shared_ptr<LexItem> folder = at(path);
        ASSERT_TRUE(folder && folder->IsFolder()) << path;
        EXPECT_EQ(folder->GetMask(), TableFolderMask) << path;
        EXPECT_TRUE(labelEditAllowed(folder->GetMask())) << path;
    }
    // Generated folders take nothing from the operator.
    EXPECT_EQ(at("2\\")->GetMask(), 0U);
    EXPECT_EQ(at(std::string(CurrencyFolderPath))->GetMask(), 0U);
}

TEST_F(StandardTreeTest, CurrencyInstallationFillsTheFolderWithoutDuplicatingFunctions)
{
    std::string error;
    ASSERT_TRUE(createEmptyBank(dir.dataDirectory().currencyBank(), dir.path() / "c.tmp", error));
    WaveFile currencyBank;
    ASSERT_TRUE(currencyBank.Open(dir.dataDirectory().currencyBank()));
    for (const char *id : {"RDLR", "RDLA", "RDLV", "RCNT", "RCNA", "RCNV", "REUR"})
        ASSERT_TRUE(currencyBank.AppendChunk(id, std::vector<std::uint8_t>(64, 3)));
    currencyBank.Close();
    const std::size_t functionCount = at("2\\")->GetChildren().size();
    const CurrencyInstallation installed = installCurrency(*root, dir.dataDirectory());
    EXPECT_EQ(installed.wordsPresent, 7u);
    EXPECT_EQ(FindLexemePath(*store, "+CNV").substr(0, 4), "3\\4\\");
    EXPECT_EQ(at("2\\")->GetChildren().size(), functionCount);
}

TEST_F(StandardTreeTest, SecondInitIsRefusedAndChangesNothing)
{
    const auto before = std::filesystem::file_size(dir.dataDirectory().productBank());
    std::string error;
    EXPECT_FALSE(initDataDirectory(dir.dataDirectory(), error));
    EXPECT_NE(error.find("already"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(dir.dataDirectory().productBank()), before);
    EXPECT_FALSE(buildStandardLexemeTree(*root, error));
}

} // namespace

} // namespace vorela
