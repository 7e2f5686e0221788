// Every change of the stores fails at each of its registry steps in turn: each failure must
// report false and leave the store (and the tree in memory) exactly as it was.
#include "StoreFixtures.h"
#include "platform/RegFile.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace vorela {

using test::folder;
using test::lexeme;

namespace {

struct Change {
    const char *name;
    std::function<bool(LexItem &root, Aliases &tasks)> run;
};

void PrintTo(const Change &change, std::ostream *out)
{
    *out << change.name;
}

std::vector<std::string> loadedNames(const LexItem &node)
{
    std::vector<std::string> names;
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        names.push_back(child->GetPath());
        for (const std::string &below : loadedNames(*child))
            names.push_back(below);
    }
    return names;
}

const Change Changes[] = {
    {"AppendChild",
     [](LexItem &root, Aliases &) { return !root.AppendChild("x", "0009", 4, 0, 49, "").empty(); }},
    {"InsertChildAfter head",
     [](LexItem &root, Aliases &) {
         return !root.InsertChildAfter("", "x", 4, 1, 58, "").empty();
     }},
    {"InsertChildAfter middle",
     [](LexItem &root, Aliases &) {
         return !root.InsertChildAfter("1", "x", 4, 1, 58, "").empty();
     }},
    {"AddToChild",
     [](LexItem &root, Aliases &) { return !root.AddToChild("3", "x", "0009", 4, 0, 49).empty(); }},
    {"AddFolderToChild",
     [](LexItem &root, Aliases &) { return !root.AddFolderToChild("1", "x", 4, 1, 58).empty(); }},
    {"RemoveChild middle", [](LexItem &root, Aliases &) { return root.RemoveChild("2"); }},
    {"RemoveChild folder", [](LexItem &root, Aliases &) { return root.RemoveChild("1"); }},
    {"SetChildText", [](LexItem &root, Aliases &) { return root.SetChildText("3", "новый"); }},
    {"SetText", [](LexItem &root, Aliases &) { return root.GetChild("2")->SetText("новый"); }},
    {"SetKeyname", [](LexItem &root, Aliases &) { return root.GetChild("2")->SetKeyname("ключ"); }},
    {"InsertTemplateItem head",
     [](LexItem &, Aliases &tasks) {
         std::string name;
         return tasks.InsertTemplateItem("T", "O", "", PatternItem{.path = "3\\"}, name);
     }},
    {"InsertTemplateItem middle",
     [](LexItem &, Aliases &tasks) {
         std::string name;
         return tasks.InsertTemplateItem("T", "O", "0001", PatternItem{.path = "3\\", .arg = "'1'"},
                                         name);
     }},
    {"RemoveTemplateItem",
     [](LexItem &, Aliases &tasks) { return tasks.RemoveTemplateItem("T", "O", "0002"); }},
    {"MoveTemplateItem to head",
     [](LexItem &, Aliases &tasks) { return tasks.MoveTemplateItem("T", "O", "", "0003"); }},
    {"MoveTemplateItem to tail",
     [](LexItem &, Aliases &tasks) { return tasks.MoveTemplateItem("T", "O", "0003", "0001"); }},
    {"UpdateTemplateItem",
     [](LexItem &, Aliases &tasks) {
         return tasks.UpdateTemplateItem("T", "O", "0002",
                                         PatternItem{.path = "1\\", .arg = "SUM"});
     }},
};

} // namespace

class StoreFailureTest : public ::testing::TestWithParam<Change> {};

TEST_P(StoreFailureTest, EachFailedStepLeavesTheStoreAsItWas)
{
    const test::TempDataDir dir;
    const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    test::writeLexemes(store->createKey(LexemeRootPath),
                       {folder("1", "Папка", {lexeme("1", "a", "0001")}), lexeme("2", "b", "0002"),
                        lexeme("3", "c", "0003")});
    const RegistryKey templateKey =
        store->createKey(TasksRootPath).createKey("T\\Операторы\\O\\Шаблоны");
    test::writeTemplate(templateKey,
                        {{"0001", "1\\1\\", ""}, {"0002", "2\\", ""}, {"0003", "3\\", "'5'"}});
    LexItem root(*store);
    Aliases tasks(*store, dir.dataDirectory());
    const Change &change = GetParam();

    for (unsigned nth = 1;; ++nth) {
        ASSERT_LT(nth, 200u) << "the change never completes";
        const std::string before = test::storeSnapshot(*store);
        const std::vector<std::string> loadedBefore = loadedNames(root);
        store->failStep(nth);
        const bool done = change.run(root, tasks);
        const bool failed = store->failureTriggered();
        store->failStep(std::nullopt);
        if (!failed) {
            EXPECT_TRUE(done) << change.name;
            break;
        }
        EXPECT_FALSE(done) << change.name << ", step " << nth;
        EXPECT_EQ(test::storeSnapshot(*store), before) << change.name << ", step " << nth;
        EXPECT_EQ(loadedNames(root), loadedBefore) << change.name << ", step " << nth;
    }
    EXPECT_TRUE(test::wholeChain(store->openKey(LexemeRootPath)));
    EXPECT_TRUE(test::wholeChain(store->openKey(LexemeRootPath).openKey("1")));
    EXPECT_TRUE(test::wholeChain(templateKey));
}

INSTANTIATE_TEST_SUITE_P(Changes, StoreFailureTest, ::testing::ValuesIn(Changes),
                         [](const ::testing::TestParamInfo<Change> &param) {
                             std::string name = param.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(RegImportFailure, EachFailedStepImportsNothing)
{
    const test::TempDataDir dir;
    const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    const std::string text = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\B]\n\"v\"=\"1\"\n\"d\"=dword:2\n"
                             "[-HKEY_LOCAL_MACHINE\\A\\B]\n[HKEY_LOCAL_MACHINE\\A\\C]\n"
                             "\"w\"=hex:01\n\"x\"=\"2\"\n\"x\"=-\n";
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    for (unsigned nth = 1;; ++nth) {
        ASSERT_LT(nth, 100u);
        store->failStep(nth);
        const RegFileResult result = importRegBytes(*store, bytes, "x.reg");
        const bool failed = store->failureTriggered();
        store->failStep(std::nullopt);
        if (!failed) {
            EXPECT_TRUE(result.ok) << result.reason;
            break;
        }
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(store->openKey("A").isOpen()) << nth;
    }
    EXPECT_EQ(store->openKey("A\\C").readBinary("w"), std::vector<std::uint8_t>{1});
    EXPECT_FALSE(store->openKey("A\\C").hasValue("x"));
    EXPECT_FALSE(store->openKey("A\\B").isOpen());
}

} // namespace vorela
