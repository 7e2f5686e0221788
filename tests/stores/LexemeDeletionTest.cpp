// Deleting lexeme nodes: template items everywhere, sounds before nodes, table entries one by
// one, and a registry or bank failure at any step leaving store and bank in agreement.
#include "stores/LexemeDeletion.h"

#include "StoreFixtures.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"

#include <gtest/gtest.h>

#include <set>

namespace vorela {
namespace {

using test::folder;
using test::lexeme;

class LexemeDeletionTest : public testing::Test {
protected:
    /// 1 "Папка": 1 "А" (0001), 2 "Таблица" (#001: 1 "x" |001, 2 "y" |002),
    ///            3 "Вложенная": 1 "Б" (0002);  2 "В" (0003).
    /// Templates T/O: А, В, А;  U/P: А.  The bank holds every sound.
    void SetUp() override
    {
        store = test::openTestStore(dir);
        test::NodeLayout table = lexeme("2", "Таблица", "#001");
        table.children = {lexeme("1", "x", "|001"), lexeme("2", "y", "|002")};
        test::writeLexemes(store->createKey(LexemeRootPath),
                           {folder("1", "Папка",
                                   {lexeme("1", "А", "0001"), table,
                                    folder("3", "Вложенная", {lexeme("1", "Б", "0002")})}),
                            lexeme("2", "В", "0003")});
        test::writeTemplate(
            templateKey("T", "O"),
            {{"0001", "1\\1\\", ""}, {"0002", "2\\", ""}, {"0003", "1\\1\\", "'1'"}});
        test::writeTemplate(templateKey("U", "P"), {{"0001", "1\\1\\", ""}});
        root = std::make_unique<LexItem>(*store);
        tasks = std::make_unique<Aliases>(*store, dir.dataDirectory());
    }

    RegistryKey templateKey(const std::string &task, const std::string &operatorName)
    {
        return store->createKey(std::string(TasksRootPath) + task + "\\Операторы\\" + operatorName +
                                "\\Шаблоны");
    }

    [[nodiscard]] std::vector<std::string> templatePaths(const std::string &task,
                                                         const std::string &operatorName)
    {
        std::vector<std::string> paths;
        for (const PatternItem &item : tasks->GetTemplate(task, operatorName))
            paths.push_back(item.path);
        return paths;
    }

    [[nodiscard]] LexItem &node(const std::string &parentName) const
    {
        return parentName.empty() ? *root : *root->GetChild(parentName);
    }

    SoundRemoval bankRemoval()
    {
        return [this](std::string_view chunk) {
            if (busy.contains(std::string(chunk)))
                return false;
            bank.erase(std::string(chunk));
            return true;
        };
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<LexItem> root;
    std::unique_ptr<Aliases> tasks;
    std::set<std::string> bank{"0001", "0002", "0003", "|001", "|002"};
    std::set<std::string> busy; // sounds the bank cannot give up
};

void collectChunks(const LexItem &node, std::set<std::string> &chunks)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        chunks.insert(child->GetChunk());
        collectChunks(*child, chunks);
    }
}

TEST_F(LexemeDeletionTest, InUseLooksAtLexemesBelowFoldersButNotIntoTables)
{
    struct Case {
        std::string parent, child;
        bool used;
    };
    const Case cases[] = {{"", "1", true},    // holds А
                          {"1", "3", false},  // holds only Б
                          {"", "2", true},    // В
                          {"1", "2", false}}; // a table nobody names
    for (const Case &c : cases)
        EXPECT_EQ(lexemesInUse(*tasks, *node(c.parent).GetChild(c.child)), c.used) << c.child;
    test::writeTemplate(templateKey("U", "Q"), {{"0001", "1\\2\\", ""}});
    Aliases reloaded(*store, dir.dataDirectory());
    EXPECT_TRUE(lexemesInUse(reloaded, *node("1").GetChild("2")));
}

TEST_F(LexemeDeletionTest, LexemeLeavesEveryTemplateThenTheBankThenTheStore)
{
    const NodeDeletion used = deleteLexemeNode(*tasks, node("1"), "1", bankRemoval());
    EXPECT_TRUE(used.ok());
    EXPECT_TRUE(used.templatesChanged);
    EXPECT_EQ(templatePaths("T", "O"), std::vector<std::string>{"2\\"});
    EXPECT_TRUE(templatePaths("U", "P").empty());
    EXPECT_FALSE(bank.contains("0001"));
    EXPECT_FALSE(node("1").GetChild("1"));
    EXPECT_FALSE(LexItem(*store).GetChild("1")->GetChild("1"));

    const NodeDeletion unused =
        deleteLexemeNode(*tasks, *node("1").GetChild("3"), "1", bankRemoval());
    EXPECT_TRUE(unused.ok());
    EXPECT_FALSE(unused.templatesChanged);
    EXPECT_EQ(bank, (std::set<std::string>{"0003", "|001", "|002"}));
    EXPECT_TRUE(test::wholeChain(store->openKey(LexemeRootPath).openKey("1")));
}

TEST_F(LexemeDeletionTest, BusyBankStopsATableWithTheEntriesNotReachedKept)
{
    busy = {"|002"};
    const NodeDeletion stopped = deleteLexemeNode(*tasks, node("1"), "2", bankRemoval());
    EXPECT_EQ(stopped.failedStep, DeletionStep::Sound);
    EXPECT_EQ(stopped.failedText, "y");
    const std::shared_ptr<LexItem> table = node("1").GetChild("2");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->GetChildren().size(), 1U);
    EXPECT_EQ(table->GetChildren()[0]->GetText(), "y");
    EXPECT_EQ(bank, (std::set<std::string>{"0001", "0002", "0003", "|002"}));

    busy.clear();
    EXPECT_TRUE(deleteLexemeNode(*tasks, node("1"), "2", bankRemoval()).ok());
    EXPECT_FALSE(node("1").GetChild("2"));
    EXPECT_FALSE(bank.contains("|002"));

    busy = {"0003"};
    const NodeDeletion lexemeStopped = deleteLexemeNode(*tasks, *root, "2", bankRemoval());
    EXPECT_EQ(lexemeStopped.failedStep, DeletionStep::Sound);
    EXPECT_EQ(lexemeStopped.failedText, "В");
    EXPECT_TRUE(root->GetChild("2"));
}

TEST_F(LexemeDeletionTest, FolderGoesOnlyOnceEmpty)
{
    const std::string before = test::storeSnapshot(*store);
    const NodeDeletion refused = removeNodeAndSound(node("1"), "3", bankRemoval());
    EXPECT_EQ(refused.failedStep, DeletionStep::Node);
    EXPECT_EQ(refused.failedText, "Вложенная");
    EXPECT_EQ(test::storeSnapshot(*store), before);
    EXPECT_EQ(bank.size(), 5U);

    ASSERT_TRUE(removeNodeAndSound(*node("1").GetChild("3"), "1", bankRemoval()).ok());
    EXPECT_TRUE(removeNodeAndSound(node("1"), "3", bankRemoval()).ok());
    EXPECT_FALSE(node("1").GetChild("3"));
    EXPECT_EQ(deleteLexemeNode(*tasks, node("1"), "3", bankRemoval()).failedStep,
              DeletionStep::Node); // gone already
}

// Each registry step fails in turn until the deletion completes. After every failure the bank
// holds no sound without a node, the chains are whole, and templatesChanged tells the truth.
TEST_F(LexemeDeletionTest, EachFailedRegistryStepLeavesStoreAndBankInAgreement)
{
    for (const char *target : {"1", "2"}) { // the lexeme in two templates, then the table
        for (unsigned nth = 1;; ++nth) {
            ASSERT_LT(nth, 200U) << "the deletion never completes";
            const std::vector<std::string> templatesBefore = templatePaths("T", "O");
            const std::vector<std::string> otherBefore = templatePaths("U", "P");
            store->failStep(nth);
            const NodeDeletion result = deleteLexemeNode(*tasks, node("1"), target, bankRemoval());
            const bool failed = store->failureTriggered();
            store->failStep(std::nullopt);
            EXPECT_EQ(result.ok(), !failed) << target << ", step " << nth;
            EXPECT_EQ(result.templatesChanged, templatePaths("T", "O") != templatesBefore ||
                                                   templatePaths("U", "P") != otherBefore)
                << target << ", step " << nth;
            const LexItem stored(*store);
            std::set<std::string> storedChunks;
            collectChunks(stored, storedChunks);
            for (const std::string &chunk : bank)
                EXPECT_TRUE(storedChunks.contains(chunk)) << chunk << " orphaned at step " << nth;
            EXPECT_EQ(static_cast<bool>(stored.GetChild("1")->GetChild(target)), failed);
            EXPECT_TRUE(test::wholeChain(store->openKey(LexemeRootPath).openKey("1")));
            if (!failed)
                break;
        }
    }
    EXPECT_TRUE(templatePaths("U", "P").empty());
    EXPECT_EQ(bank, (std::set<std::string>{"0002", "0003"}));
}

} // namespace
} // namespace vorela
