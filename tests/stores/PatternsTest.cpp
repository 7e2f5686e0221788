#include "stores/Patterns.h"

#include "StoreFixtures.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"

#include <gtest/gtest.h>

namespace vorela {

class PatternsTest : public ::testing::Test {
protected:
    std::vector<std::string> names()
    {
        std::vector<std::string> result;
        for (const PatternItem &item : patterns.GetTemplate())
            result.push_back(item.name);
        return result;
    }

    void reset(const std::vector<std::array<std::string, 3>> &items)
    {
        for (const std::string &name : templateKey().subkeyNames())
            ASSERT_TRUE(templateKey().deleteSubkeyTree(name));
        test::writeTemplate(templateKey(), items);
    }

    const RegistryKey &templateKey() const { return patterns.templateKey(); }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    RegistryKey operatorKey = store->createKey(TasksRootPath).createKey("Долги\\Операторы\\Оп");
    Patterns patterns{operatorKey, "Шаблоны", "ДолгиОп", dir.dataDirectory()};
};

TEST_F(PatternsTest, ItemsReadTheirLexemeAsItIsNow)
{
    test::writeLexemes(store->createKey(LexemeRootPath),
                       {test::folder("3", "Папка", {test::lexeme("4", "Сумма", "@007")})});
    ASSERT_TRUE(store->createKey(EditorKeyPath).writeDword("Language", 1));
    ASSERT_TRUE(store->openKey(LexemeRootPath).openKey("3\\4").writeString("text1", "Сума"));
    reset({{"0002", "3\\4\\", "'125,50'"}, {"0001", "9\\", ""}});
    const std::string before = test::storeSnapshot(*store);
    const std::vector<PatternItem> items = patterns.GetTemplate();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], (PatternItem{"0002", "3\\4\\", "Сумма", "@007", "'125,50'", "", "0001"}));
    EXPECT_EQ(items[1], (PatternItem{"0001", "9\\", "", "", "", "0002", ""}));
    EXPECT_EQ(test::storeSnapshot(*store), before); // reading writes nothing
    EXPECT_EQ(patterns.lockName(), "ДолгиОп");
}

// Every read of a template can fail; none of those failures may pass for a shorter template.
TEST_F(PatternsTest, AFailedReadIsNeverAShorterTemplate)
{
    test::writeLexemes(store->createKey(LexemeRootPath),
                       {test::folder("3", "Папка", {test::lexeme("4", "Сумма", "@007")})});
    reset({{"0002", "3\\4\\", "'125,50'"}, {"0001", "9\\", ""}});
    const std::vector<PatternItem> whole = patterns.GetTemplate();
    ASSERT_EQ(whole.size(), 2u);
    unsigned nth = 1;
    for (; nth < 100; ++nth) {
        store->failRead(nth);
        const std::vector<PatternItem> items = patterns.GetTemplate();
        if (patterns.lastResult().ok()) {
            EXPECT_EQ(items, whole) << nth;
            break;
        }
        EXPECT_TRUE(items.empty()) << nth;
        EXPECT_EQ(patterns.lastResult().failure, TemplateFailure::StoreFailed) << nth;
    }
    store->failRead(std::nullopt);
    EXPECT_GT(nth, 10u); // lists, lookups and values were all failed on the way
}

TEST_F(PatternsTest, InsertNamesAfterTheLargestSubkeyAndLinks)
{
    std::string newName;
    ASSERT_TRUE(patterns.InsertTemplateItem("", PatternItem{.path = "1\\", .arg = "A"}, newName));
    EXPECT_EQ(newName, "0001");
    EXPECT_EQ(templateKey().openKey("0001").readString("Prev"), "");
    EXPECT_EQ(templateKey().openKey("0001").readString("Next"), "");

    reset({{"0003", "1\\", ""}, {"0001", "1\\", ""}, {"0002", "1\\", ""}});
    ASSERT_TRUE(templateKey().createKey("0007").writeString("Prev", "0002")); // off the chain
    ASSERT_TRUE(patterns.InsertTemplateItem("", PatternItem{.path = "2\\"}, newName));
    EXPECT_EQ(newName, "0008");
    EXPECT_EQ(names(), (std::vector<std::string>{"0008", "0003", "0001", "0002"}));
    EXPECT_EQ(templateKey().openKey("0003").readString("Prev"), "0008");
    ASSERT_TRUE(
        patterns.InsertTemplateItem("0001", PatternItem{.path = "3\\", .arg = "X"}, newName));
    EXPECT_EQ(names(), (std::vector<std::string>{"0008", "0003", "0001", "0009", "0002"}));
    EXPECT_EQ(patterns.GetTemplate()[3].arg, "X");
    ASSERT_TRUE(patterns.InsertTemplateItem("0002", PatternItem{}, newName));
    EXPECT_EQ(names().back(), "0010");

    newName = "unchanged";
    EXPECT_FALSE(patterns.InsertTemplateItem("0404", PatternItem{}, newName));
    EXPECT_FALSE(patterns.InsertTemplateItem("0001\\x", PatternItem{}, newName));
    EXPECT_EQ(newName, "unchanged");
    EXPECT_FALSE(templateKey().openKey("0011").isOpen());
}

TEST_F(PatternsTest, MovesRelinkBothPlacesOrChangeNothing)
{
    const struct {
        const char *after;
        const char *item;
        bool result;
        std::vector<std::string> order;
    } cases[] = {
        {"0002", "0001", true, {"0002", "0001", "0003"}}, // the head after the second
        {"", "0003", true, {"0003", "0001", "0002"}},
        {"0003", "0001", true, {"0002", "0003", "0001"}},
        {"0001", "0003", true, {"0001", "0003", "0002"}},
        {"0002", "0002", true, {"0001", "0002", "0003"}}, // after itself
        {"0001", "0002", true, {"0001", "0002", "0003"}}, // after its predecessor
        {"", "0001", true, {"0001", "0002", "0003"}},
        {"0404", "0002", false, {"0001", "0002", "0003"}}, // nothing unlinked and lost
        {"0001", "0404", false, {"0001", "0002", "0003"}},
        {"", "", true, {"0001", "0002", "0003"}},
    };
    for (const auto &entry : cases) {
        reset({{"0001", "1\\", ""}, {"0002", "2\\", ""}, {"0003", "3\\", ""}});
        EXPECT_EQ(patterns.MoveTemplateItem(entry.after, entry.item), entry.result)
            << entry.item << " after " << entry.after;
        EXPECT_EQ(names(), entry.order) << entry.item << " after " << entry.after;
        EXPECT_TRUE(test::wholeChain(templateKey())) << entry.item << " after " << entry.after;
    }
}

TEST_F(PatternsTest, RemoveAndUpdate)
{
    reset({{"0001", "1\\", ""}, {"0002", "2\\", ""}, {"0003", "3\\", ""}});
    ASSERT_TRUE(templateKey().createKey("0002\\Extra").isOpen());
    ASSERT_TRUE(patterns.RemoveTemplateItem("0002"));
    EXPECT_EQ(names(), (std::vector<std::string>{"0001", "0003"}));
    ASSERT_TRUE(patterns.RemoveTemplateItem("0003"));
    EXPECT_EQ(templateKey().openKey("0001").readString("Next"), "");
    ASSERT_TRUE(patterns.RemoveTemplateItem("0001"));
    EXPECT_TRUE(templateKey().subkeyNames().empty());
    EXPECT_FALSE(patterns.RemoveTemplateItem("0001"));
    EXPECT_FALSE(patterns.RemoveTemplateItem(""));

    reset({{"0001", "1\\", "old"}});
    ASSERT_TRUE(templateKey().openKey("0001").writeString("Speed", "kept"));
    EXPECT_TRUE(patterns.UpdateTemplateItem("0001", PatternItem{.path = "5\\", .arg = "'1'"}));
    const RegistryKey item = templateKey().openKey("0001");
    EXPECT_EQ(item.readString("Path"), "5\\");
    EXPECT_EQ(item.readString("Arg"), "'1'");
    EXPECT_EQ(item.readString("Speed"), "kept");
    EXPECT_FALSE(patterns.UpdateTemplateItem("0002", PatternItem{}));
    EXPECT_FALSE(patterns.UpdateTemplateItem("", PatternItem{}));
    EXPECT_FALSE(templateKey().hasValue("Path"));
}

TEST_F(PatternsTest, DamagedChainsReadWhatTheyReachAndEnd)
{
    const struct {
        const char *damage;
        std::vector<std::array<const char *, 3>> links; // name, Prev, Next
        std::vector<std::string> read;
    } cases[] = {
        {"loop", {{"0001", "", "0002"}, {"0002", "0001", "0001"}}, {"0001", "0002"}},
        {"missing next", {{"0001", "", "0009"}}, {"0001"}},
        {"no head", {{"0001", "0002", ""}, {"0002", "0001", ""}}, {}},
        {"two heads: the first listed starts the chain",
         {{"0001", "", ""}, {"0002", "", "0003"}, {"0003", "0002", ""}},
         {"0001"}},
    };
    for (const auto &entry : cases) {
        reset({});
        for (const auto &[name, prev, next] : entry.links)
            ASSERT_TRUE(templateKey().createKey(name).writeString("Prev", prev) &&
                        templateKey().createKey(name).writeString("Next", next));
        EXPECT_EQ(names(), entry.read) << entry.damage;
    }
}

} // namespace vorela
