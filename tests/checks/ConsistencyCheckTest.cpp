// The installation check against registry stores and banks built key by key and chunk by chunk.
#include "checks/ConsistencyCheck.h"

#include "installation/NewInstallation.h"
#include "platform/RegistryKey.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "soundbank/WaveFile.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vorela {

namespace {

std::vector<const Finding *> findings(const CheckReport &report, FindingKind kind)
{
    std::vector<const Finding *> found;
    for (const Finding &finding : report.findings) {
        if (finding.kind == kind)
            found.push_back(&finding);
    }
    return found;
}

// 1\ phrases: two lexemes and a table of two entries; 2\ functions; every sound in the bank.
class SmallInstallation {
public:
    SmallInstallation() { build(); }

    void build()
    {
        std::string error;
        ASSERT_TRUE(createEmptyBank(directory().productBank(), directory().temporaryBank(), error));
        store = RegistryStore::open(directory().registry(), error);
        ASSERT_TRUE(store) << error;
        RegistryTransaction transaction(*store); // one commit: the fixture is built often
        lexemes = store->createKey("Software\\vorela\\Лексемы и функции");
        node(lexemes, "1", "", "", "2", "Фразы");
        node(lexemes, "2", "", "1", "", "Функции");
        node(lexemes, "1\\1", "0001", "", "2", "Здравствуйте");
        node(lexemes, "1\\2", "0002", "1", "3", "До свидания");
        node(lexemes, "1\\3", "#001", "2", "", "Районы");
        node(lexemes, "1\\3\\1", "|  A", "", "2", "Центр");
        node(lexemes, "1\\3\\2", "|  B", "1", "", "Север");
        node(lexemes, "2\\1", "@007", "", "2", "СУММА (грн)");
        node(lexemes, "2\\2", "@006", "1", "", "Дата +003 (им)");
        items = store->createKey("Software\\vorela\\Tasks\\Долг\\Операторы\\Иванов\\Шаблоны");
        ASSERT_TRUE(transaction.commit());
        for (const char *id : {"0001", "0002", "|  A", "|  B"})
            addSound(id);
    }

    DataDirectory directory() const { return dir.dataDirectory(); }

    void node(const RegistryKey &root, const std::string &path, const std::string &chunk,
              const std::string &prev, const std::string &next, const std::string &text)
    {
        const RegistryKey key = root.createKey(path);
        ASSERT_TRUE(key.writeString("chunk", chunk) && key.writeString("prev", prev) &&
                    key.writeString("next", next) && key.writeString("text", text));
    }

    void addSound(const std::string &id)
    {
        WaveFile bank;
        ASSERT_TRUE(bank.Open(directory().productBank()));
        const std::vector<std::uint8_t> sound(320, 1);
        ASSERT_TRUE(bank.AppendChunk(id, sound));
    }

    /// The template's items in chain order, each naming a lexeme path.
    void templateOf(const std::vector<std::string> &paths)
    {
        for (std::size_t index = 0; index < paths.size(); ++index) {
            const RegistryKey item = items.createKey("000" + std::to_string(index + 1));
            const std::string prev = index == 0 ? "" : "000" + std::to_string(index);
            const std::string next =
                index + 1 == paths.size() ? "" : "000" + std::to_string(index + 2);
            ASSERT_TRUE(item.writeString("Prev", prev) && item.writeString("Next", next) &&
                        item.writeString("Path", paths[index]) && item.writeString("Arg", ""));
        }
    }

    CheckReport check() { return checkInstallation(*store, directory()); }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store;
    RegistryKey lexemes;
    RegistryKey items;
};

class ConsistencyCheckTest : public ::testing::Test, public SmallInstallation {};

TEST_F(ConsistencyCheckTest, WholeInstallationIsClean)
{
    templateOf({"1\\1\\", "1\\2\\"});
    const CheckReport report = check();
    EXPECT_TRUE(report.clean()) << report.findings.front().detail;
}

struct ChainCase {
    const char *name;
    std::function<void(const RegistryKey &lexemes)> damage;
    const char *where;
};

TEST_F(ConsistencyCheckTest, DamagedChainsAreReportedWhereTheyAre)
{
    const std::vector<ChainCase> cases = {
        {"loop",
         [](const RegistryKey &root) { (void)root.openKey("1\\3").writeString("next", "1"); },
         "1\\"},
        {"next names a missing node",
         [](const RegistryKey &root) { (void)root.openKey("1\\3\\1").writeString("next", "9"); },
         "1\\3\\"},
        {"two heads",
         [](const RegistryKey &root) { (void)root.openKey("2").writeString("prev", ""); },
         "(top level)"},
        {"node no chain reaches",
         [](const RegistryKey &root) {
             const RegistryKey lost = root.createKey("2\\7");
             (void)lost.writeString("prev", "5");
         },
         "2\\"},
        {"prev does not name the predecessor",
         [](const RegistryKey &root) { (void)root.openKey("2\\2").writeString("prev", "2"); },
         "2\\"},
    };
    for (const ChainCase &chainCase : cases) {
        SCOPED_TRACE(chainCase.name);
        SmallInstallation installation;
        chainCase.damage(installation.lexemes);
        const CheckReport report = installation.check();
        const std::vector<const Finding *> chains = findings(report, FindingKind::DamagedChain);
        ASSERT_FALSE(chains.empty());
        EXPECT_EQ(chains.front()->where, chainCase.where);
        EXPECT_EQ(findings(report, FindingKind::MissingLexeme).size(), 0u);
    }
}

TEST_F(ConsistencyCheckTest, TemplateChainDamageIsReportedForTheTemplate)
{
    templateOf({"1\\1\\", "1\\2\\"});
    ASSERT_TRUE(items.openKey("0002").writeString("Next", "0002"));
    const CheckReport report = check();
    const std::vector<const Finding *> chains = findings(report, FindingKind::DamagedChain);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_EQ(chains.front()->where, "Долг / Иванов");
}

TEST_F(ConsistencyCheckTest, LexemeWithoutSoundAndSoundWithoutLexeme)
{
    addSound("0099");
    addSound("_001"); // a number word is spoken by functions even without a node
    ASSERT_TRUE(lexemes.openKey("1\\2").writeString("chunk", "0003"));
    const CheckReport report = check();
    const std::vector<const Finding *> missing = findings(report, FindingKind::MissingSound);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing.front()->where, "1\\2\\");
    EXPECT_EQ(missing.front()->keys, std::vector<std::string>{"0003"});
    const std::vector<const Finding *> unused = findings(report, FindingKind::UnusedChunk);
    ASSERT_EQ(unused.size(), 1u);
    EXPECT_EQ(unused.front()->keys, (std::vector<std::string>{"0002", "0099"}));
}

TEST_F(ConsistencyCheckTest, TemplateItemWhoseLexemeIsGone)
{
    templateOf({"1\\1\\", "1\\9\\", ""});
    const CheckReport report = check();
    const std::vector<const Finding *> gone = findings(report, FindingKind::MissingLexeme);
    ASSERT_EQ(gone.size(), 2u);
    EXPECT_NE(gone[0]->detail.find("0002"), std::string::npos);
    EXPECT_NE(gone[1]->detail.find("0003"), std::string::npos);
}

static bool contains(const std::vector<std::string> &keys, const std::string &key)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

TEST_F(ConsistencyCheckTest, FunctionItemsNeedEveryWordTheirFunctionSpeaks)
{
    templateOf({"2\\1\\", "2\\2\\"});
    for (const char *id : {"+GRA", "+GRI", "_E03"})
        addSound(id);
    const CheckReport report = check();
    const std::vector<const Finding *> lacking = findings(report, FindingKind::TemplateLacksKey);
    ASSERT_EQ(lacking.size(), 1u);
    const std::vector<std::string> &keys = lacking.front()->keys;
    EXPECT_TRUE(contains(keys, "+GRE"));
    EXPECT_TRUE(contains(keys, "_01A")); // hryvnias are feminine
    EXPECT_TRUE(contains(keys, "+16B"));
    EXPECT_TRUE(contains(keys, "+SSK"));
    EXPECT_TRUE(contains(keys, "_E30"));
    EXPECT_FALSE(contains(keys, "+GRA"));
    EXPECT_FALSE(contains(keys, "_E03"));
    EXPECT_FALSE(contains(keys, "+DLR")); // no dollar item
    EXPECT_FALSE(contains(keys, "_O03")); // the relative date is nominative
}

// A Ukrainian editor speaks what the item's Ukrainian name says: here the genitive date words.
TEST_F(ConsistencyCheckTest, RelativeDatesNeedTheWordsOfTheNameInTheEditorsLanguage)
{
    templateOf({"2\\2\\"});
    ASSERT_TRUE(lexemes.openKey("2\\2").writeString("text1", "Дата +003"));
    ASSERT_TRUE(store->createKey("Software\\vorela\\Editor").writeDword("Language", 1));
    const CheckReport report = check();
    const std::vector<const Finding *> lacking = findings(report, FindingKind::TemplateLacksKey);
    ASSERT_EQ(lacking.size(), 1u);
    EXPECT_TRUE(contains(lacking.front()->keys, "_O03"));
    EXPECT_FALSE(contains(lacking.front()->keys, "_E03"));
}

TEST_F(ConsistencyCheckTest, TableItemNeedsEveryEntry)
{
    templateOf({"1\\3\\"});
    EXPECT_TRUE(check().clean());
    ASSERT_TRUE(lexemes.openKey("1\\3\\2").writeString("chunk", "|  C"));
    const CheckReport report = check();
    const std::vector<const Finding *> lacking = findings(report, FindingKind::TemplateLacksKey);
    ASSERT_EQ(lacking.size(), 1u);
    EXPECT_EQ(lacking.front()->keys, std::vector<std::string>{"|  C"});
    EXPECT_EQ(findings(report, FindingKind::MissingSound).size(), 1u);
}

TEST_F(ConsistencyCheckTest, UnreadableBankIsOneFindingNotACrash)
{
    std::filesystem::resize_file(directory().productBank(), 6);
    const CheckReport report = check();
    EXPECT_EQ(findings(report, FindingKind::NoBank).size(), 1u);
    EXPECT_EQ(findings(report, FindingKind::MissingSound).size(), 4u);
}

TEST_F(ConsistencyCheckTest, CheckWritesNothing)
{
    templateOf({"1\\1\\"});
    const RegistryKey bare = lexemes.createKey("1\\1\\5");
    (void)check();
    EXPECT_FALSE(bare.hasValue("prev"));
    EXPECT_FALSE(bare.hasValue("icon"));
}

} // namespace

} // namespace vorela
