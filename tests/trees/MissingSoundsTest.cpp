// The lexemes guided recording offers: which nodes count, in which order, and from which node.
#include "trees/MissingSounds.h"

#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "stores/StoreFixtures.h"

#include <gtest/gtest.h>

#include <set>

namespace vorela {
namespace {

using test::folder;
using test::lexeme;

class MissingSoundsTest : public testing::Test {
protected:
    MissingSoundsTest()
    {
        test::NodeLayout functions =
            folder("2", "Функции", {lexeme("1", "Сумма", "@007"), lexeme("2", "Граница", "____")});
        test::NodeLayout table = lexeme("3", "Таблица", "#001");
        table.children = {lexeme("1", "Запись таблицы", "|001")};
        // Key names run against the chain, so enumeration order would give another walk.
        test::writeLexemes(
            store->createKey(LexemeRootPath),
            {folder("1", "Фразы",
                    {lexeme("1", "Приветствие", "PRIV"), lexeme("2", "Добрый день", "0001"),
                     lexeme("3", "Спасибо", "0002")}),
             functions,
             folder("3", "Слова",
                    {lexeme("9", "Один", "_001"),
                     folder("5", "Вложенная", {lexeme("1", "Три", "_003")}),
                     lexeme("1", "Два", "_002"), table, lexeme("4", "Без звука", ""),
                     lexeme("2", "Спасибо ещё раз", "0002")})});
    }

    std::vector<std::string> offered(const LexItem &node, std::set<std::string> inBank) const
    {
        std::vector<std::string> chunks;
        const HasSound hasSound = [&inBank](std::string_view chunk) {
            return inBank.contains(std::string(chunk));
        };
        for (const MissingSound &missing : lexemesWithoutSound(node, hasSound))
            chunks.push_back(missing.chunkId);
        return chunks;
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
};

TEST_F(MissingSoundsTest, LexemesWithoutSoundInChainOrderDepthFirst)
{
    const LexItem root(*store);
    const std::vector<MissingSound> all =
        lexemesWithoutSound(root, [](std::string_view) { return false; });
    // No greeting, function entry, boundary, table node or chunkless node; 0002 only once.
    const std::vector<MissingSound> expected = {
        {"0001", "Добрый день", "1\\2\\"}, {"0002", "Спасибо", "1\\3\\"},
        {"_001", "Один", "3\\9\\"},        {"_003", "Три", "3\\5\\1\\"},
        {"_002", "Два", "3\\1\\"},         {"|001", "Запись таблицы", "3\\3\\1\\"},
    };
    EXPECT_EQ(all, expected);
}

TEST_F(MissingSoundsTest, SoundsInTheBankAndNodesOutsideTheFolderAreLeftOut)
{
    const LexItem root(*store);
    EXPECT_EQ(offered(root, {"0001", "_003", "|001"}),
              (std::vector<std::string>{"0002", "_001", "_002"}));
    EXPECT_EQ(offered(root, {"0001", "0002", "_001", "_002", "_003", "|001"}),
              std::vector<std::string>{});

    const std::shared_ptr<LexItem> words = root.GetChild("3");
    ASSERT_TRUE(words);
    EXPECT_EQ(offered(*words, {"_001"}),
              (std::vector<std::string>{"_003", "_002", "|001", "0002"}));
    EXPECT_EQ(offered(*words->GetChild("5"), {}), std::vector<std::string>{"_003"});
    EXPECT_EQ(offered(*root.GetChild("2"), {}), std::vector<std::string>{});
}

// Every node of the tree below node, depth first.
static void allNodes(const LexItem &node, std::vector<const LexItem *> &out)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        out.push_back(child.get());
        allNodes(*child, out);
    }
}

TEST_F(MissingSoundsTest, EachNodeCountsWhatGuidedRecordingFromItWouldOffer)
{
    const LexItem root(*store);
    std::vector<const LexItem *> nodes{&root};
    allNodes(root, nodes);
    const std::set<std::string> banks[] = {
        {}, {"_001"}, {"0002", "_003"}, {"0001", "0002", "_001", "_002", "_003", "|001"}};
    for (const std::set<std::string> &inBank : banks) {
        const HasSound hasSound = [&inBank](std::string_view chunk) {
            return inBank.contains(std::string(chunk));
        };
        const SoundGaps gaps = soundGaps(root, hasSound);
        std::set<std::string> silentPaths;
        for (const LexItem *node : nodes) {
            EXPECT_EQ(gaps.missingBelow(*node), lexemesWithoutSound(*node, hasSound).size())
                << node->GetPath() << " bank of " << inBank.size();
            if (gaps.lacksSound(*node))
                silentPaths.insert(node->GetPath());
        }
        // Both lexemes of the shared chunk 0002 look silent, though it is recorded once.
        std::set<std::string> expected;
        for (const MissingSound &missing : lexemesWithoutSound(root, hasSound))
            expected.insert(missing.path);
        if (!inBank.contains("0002"))
            expected.insert("3\\2\\");
        EXPECT_EQ(silentPaths, expected) << "bank of " << inBank.size();
    }
    // By hand, with nothing in the bank: "Фразы" lacks 0001 and 0002, "Слова" five chunks.
    const SoundGaps gaps = soundGaps(root, [](std::string_view) { return false; });
    EXPECT_EQ(gaps.missingBelow(root), 6U);
    EXPECT_EQ(gaps.missingBelow(*root.GetChild("1")), 2U);
    EXPECT_EQ(gaps.missingBelow(*root.GetChild("3")), 5U);
    EXPECT_EQ(gaps.missingBelow(*root.GetChild("2")), 0U);
}

} // namespace
} // namespace vorela
