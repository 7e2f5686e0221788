#include "stores/LexItem.h"

#include "StoreFixtures.h"
#include "stores/RegistryPaths.h"

#include <gtest/gtest.h>

namespace vorela {

using test::folder;
using test::lexeme;

class LexItemTest : public ::testing::Test {
protected:
    std::vector<std::string> childNames(const LexItem &node)
    {
        std::vector<std::string> names;
        for (const std::shared_ptr<LexItem> &child : node.GetChildren())
            names.push_back(child->GetName());
        return names;
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    RegistryKey rootKey = store->createKey(LexemeRootPath);
};

TEST_F(LexItemTest, LoadsInChainOrderWithPathsAndLooksUpByPath)
{
    test::writeLexemes(rootKey, {folder("3", "Фразы",
                                        {lexeme("7", "Семь", "0007"),
                                         folder("4", "Папка", {lexeme("1", "Один", "0001")})}),
                                 lexeme("10", "Десять", "0010")});
    const LexItem root(*store);
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"3", "10"}));
    const std::shared_ptr<LexItem> phrases = root.GetChild("3");
    ASSERT_TRUE(phrases);
    EXPECT_EQ(childNames(*phrases), (std::vector<std::string>{"7", "4"}));
    EXPECT_EQ(phrases->GetChild("4")->GetChild("1")->GetPath(), "3\\4\\1\\");
    EXPECT_EQ(root.FindChild("10"), 1);
    EXPECT_EQ(root.FindChild("010"), -1);

    const struct {
        const char *path;
        bool found;
        const char *text;
        unsigned icon;
    } lookups[] = {
        {"", true, "", 0},
        {"3\\4\\", true, "Папка", 4},
        {"3\\\"4\"\\1", true, "Один", 4},
        {"'3'\\7\\", true, "Семь", 4},
        {"3\\5\\", false, "", 0},
        {"\\\\10\\", true, "Десять", 4},
    };
    for (const auto &lookup : lookups) {
        bool found = !lookup.found;
        EXPECT_EQ(root.GetTextAt(lookup.path, found), lookup.text) << lookup.path;
        EXPECT_EQ(found, lookup.found) << lookup.path;
        found = !lookup.found;
        const unsigned icon = root.GetIconAt(lookup.path, found);
        EXPECT_EQ(found, lookup.found) << lookup.path;
        if (found) {
            EXPECT_EQ(icon, lookup.icon) << lookup.path;
        }
    }
}

TEST_F(LexItemTest, NewChildrenAreNumberedAfterTheLargestNameEvenUnreachable)
{
    LexItem root(*store);
    EXPECT_EQ(root.AppendChild("a", "0001", 4, 0, 49, ""), "1");
    ASSERT_TRUE(root.RemoveChild("1"));
    EXPECT_EQ(root.AppendChild("a", "0001", 4, 0, 49, ""), "1");

    test::writeLexemes(rootKey,
                       {lexeme("2", "b", "2"), lexeme("7", "c", "7"), lexeme("1", "a", "1")});
    ASSERT_TRUE(rootKey.createKey("12").writeString("prev", "7")); // off the chain: never reused
    LexItem reloaded(*store);
    EXPECT_EQ(reloaded.AppendChild("d", "0008", 4, 0, 49, ""), "13");
    EXPECT_EQ(reloaded.InsertChildAfter("", "e", 4, 1, 58, ""), "14");
    EXPECT_EQ(rootKey.openKey("12").readString("text"), std::nullopt);
}

TEST_F(LexItemTest, AppendAndInsertKeepTheChainWhole)
{
    LexItem root(*store);
    const std::string first = root.AppendChild("Первый", "0001", 4, 0, 49, "");
    const RegistryKey firstKey = rootKey.openKey(first);
    EXPECT_EQ(firstKey.readString("prev"), "");
    EXPECT_EQ(firstKey.readString("next"), "");
    EXPECT_EQ(firstKey.readString("text1"), "Первый");
    ASSERT_EQ(root.AppendChild("Второй", "0002", 4, 0, 49, "k"), "2");
    ASSERT_EQ(root.InsertChildAfter("", "Голова", 4, 1, 58, ""), "3");
    ASSERT_EQ(root.InsertChildAfter("1", "Середина", 4, 0, 49, ""), "4");
    EXPECT_EQ(root.InsertChildAfter("9", "Нет", 4, 0, 49, ""), "");
    EXPECT_FALSE(rootKey.openKey("5").isOpen());

    EXPECT_EQ(test::chainOrder(rootKey), (std::vector<std::string>{"3", "1", "4", "2"}));
    EXPECT_TRUE(test::wholeChain(rootKey));
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(childNames(LexItem(*store)), (std::vector<std::string>{"3", "1", "4", "2"}));
    EXPECT_EQ(rootKey.openKey("4").readString("chunk"), "");
    EXPECT_EQ(rootKey.openKey("2").readString("keyname"), "k");
}

TEST_F(LexItemTest, NewFoldersGoAfterTheLeadingFolders)
{
    const struct {
        std::vector<test::NodeLayout> children;
        const char *insertPoint;
        std::vector<std::string> order;
    } cases[] = {
        {{}, "", {"1"}},
        {{lexeme("1", "л", "0001")}, "", {"2", "1"}},
        {{folder("1", "п", {}), folder("2", "п", {}), lexeme("3", "л", "3")},
         "2",
         {"1", "2", "4", "3"}},
        {{folder("1", "п", {}), lexeme("2", "л", "2"), folder("3", "п", {})},
         "3",
         {"1", "2", "3", "4"}},
    };
    for (const auto &entry : cases) {
        (void)store->localMachine().deleteSubkeyTree("Software");
        const RegistryKey top = store->createKey(LexemeRootPath).createKey("1");
        ASSERT_TRUE(top.writeDword("child", 1));
        test::writeLexemes(top, entry.children);
        LexItem root(*store);
        EXPECT_EQ(root.GetChild("1")->FindFolderInsertPoint(), entry.insertPoint);
        EXPECT_FALSE(root.AddFolderToChild("1", "Новая", 4, 1, 58).empty());
        EXPECT_EQ(test::chainOrder(top), entry.order) << entry.insertPoint;
        EXPECT_TRUE(test::wholeChain(top));
    }
    LexItem root(*store);
    EXPECT_EQ(root.AddFolderToChild("9", "Нет", 4, 1, 58), "");
}

TEST_F(LexItemTest, FolderInsertPointFollowsLinksWrittenInAnotherCase)
{
    test::writeLexemes(rootKey,
                       {folder("a", "п", {}), folder("ё", "п", {}), lexeme("c", "л", "3")});
    for (const auto &[name, prev, next] :
         std::vector<std::array<const char *, 3>>{{"a", "", "Ё"}, {"ё", "A", "C"}, {"c", "Ё", ""}})
        ASSERT_TRUE(rootKey.openKey(name).writeString("prev", prev) &&
                    rootKey.openKey(name).writeString("next", next));
    const LexItem root(*store);
    EXPECT_EQ(root.FindFolderInsertPoint(), "ё");
}

TEST_F(LexItemTest, AddToChildMakesAFolderAndRemoveRelinks)
{
    test::writeLexemes(rootKey,
                       {lexeme("1", "a", "1"), lexeme("2", "b", "2"), lexeme("3", "c", "3")});
    LexItem root(*store);
    EXPECT_EQ(root.AddToChild("2", "Таблица", "#001", 6, 0, 304), "1");
    EXPECT_TRUE(root.GetChild("2")->IsFolder());
    EXPECT_EQ(root.GetChild("2")->GetChild("1")->GetPath(), "2\\1\\");
    EXPECT_EQ(root.AddToChild("9", "x", "0009", 4, 0, 49), "");

    for (const char *removed : {"2", "1", "3"}) {
        ASSERT_TRUE(root.RemoveChild(removed)) << removed;
        EXPECT_TRUE(test::wholeChain(rootKey)) << removed;
        EXPECT_FALSE(rootKey.openKey(removed).isOpen());
    }
    EXPECT_TRUE(rootKey.subkeyNames().empty());
    EXPECT_FALSE(root.RemoveChild("1"));
}

TEST_F(LexItemTest, TextFollowsTheLanguageSampledAtConstruction)
{
    const RegistryKey node = rootKey.createKey("1");
    ASSERT_TRUE(node.writeString("text", "Русский") && node.writeString("prev", ""));
    ASSERT_TRUE(store->createKey(EditorKeyPath).writeDword("Language", 1));
    LexItem ukrainian(*store);
    EXPECT_EQ(ukrainian.GetChild("1")->GetText(), "");
    ASSERT_TRUE(store->createKey(EditorKeyPath).writeDword("Language", 0));
    EXPECT_EQ(ukrainian.GetChild("1")->language(), 1);

    LexItem russian(*store);
    EXPECT_TRUE(russian.SetChildText("1", "Новое"));
    EXPECT_EQ(node.readString("text"), "Новое");
    EXPECT_EQ(node.readString("text1"), ""); // it existed already: left as it was
    ASSERT_TRUE(node.deleteValue("text1"));
    EXPECT_TRUE(russian.GetChild("1")->SetText("Ещё"));
    EXPECT_EQ(node.readString("text1"), "Ещё"); // missing: written too
    EXPECT_FALSE(russian.SetChildText("2", "x"));

    EXPECT_FALSE(node.hasValue("icon"));
    EXPECT_EQ(russian.GetChild("1")->GetIcon(), 0u);
    EXPECT_EQ(node.readDword("icon"), 0u);
    EXPECT_EQ(ReadLanguage(*store), 0);
}

TEST_F(LexItemTest, DamagedChainsLoadWhatTheyReachAndEnd)
{
    const struct {
        const char *damage;
        std::vector<std::array<const char *, 3>> links; // name, prev, next
        std::vector<std::string> loaded;
    } cases[] = {
        {"loop back to the head", {{"1", "", "2"}, {"2", "1", "1"}}, {"1", "2"}},
        {"loop onto itself", {{"1", "", "1"}}, {"1"}},
        {"next names a missing key", {{"1", "", "5"}, {"2", "1", ""}}, {"1"}},
        {"no head", {{"1", "2", "2"}, {"2", "1", "1"}}, {}},
        {"two heads: the first listed starts the chain",
         {{"1", "", ""}, {"2", "", "3"}, {"3", "2", ""}},
         {"1"}},
    };
    for (const auto &entry : cases) {
        (void)store->localMachine().deleteSubkeyTree("Software");
        const RegistryKey top = store->createKey(LexemeRootPath);
        for (const auto &[name, prev, next] : entry.links)
            ASSERT_TRUE(top.createKey(name).writeString("prev", prev) &&
                        top.createKey(name).writeString("next", next));
        LexItem root(*store);
        EXPECT_EQ(childNames(root), entry.loaded) << entry.damage;
        const std::string added = root.AppendChild("new", "0099", 4, 0, 49, "");
        EXPECT_FALSE(added.empty()) << entry.damage;
        const std::vector<std::string> order = test::chainOrder(top);
        EXPECT_EQ(order.back(), added) << entry.damage; // reachable after a fresh load
        EXPECT_EQ(childNames(LexItem(*store)).back(), added) << entry.damage;
    }
}

TEST_F(LexItemTest, FindLexemePathSearchesFoldersButNotTables)
{
    test::NodeLayout table = lexeme("2", "Таблица", "#001");
    table.icon = 6;
    table.mask = 304;
    test::writeLexemes(
        rootKey,
        {folder("1", "п", {lexeme("1", "a", "0001"), folder("3", "п", {lexeme("5", "b", "0005")})}),
         table});
    test::writeLexemes(rootKey.openKey("2"), {lexeme("1", "entry", "|  !")});
    EXPECT_EQ(FindLexemePath(*store, "0005"), "1\\3\\5\\");
    EXPECT_EQ(FindLexemePath(*store, "0001"), "1\\1\\");
    EXPECT_EQ(FindLexemePath(*store, "#001"), "2\\");
    EXPECT_EQ(FindLexemePath(*store, "|  !"), "");
    EXPECT_EQ(FindLexemePath(*store, "0404"), "");
    EXPECT_EQ(openLexemeNode(*store, "1\\3\\5\\").readString("chunk"), "0005");
    EXPECT_FALSE(openLexemeNode(*store, "1\\4\\").isOpen());
}

} // namespace vorela
