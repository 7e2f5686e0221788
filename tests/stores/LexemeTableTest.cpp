#include "stores/LexemeTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vorela {

static std::vector<std::string> sorted(std::vector<std::string> texts, bool asNumbers)
{
    std::stable_sort(texts.begin(), texts.end(), [asNumbers](const auto &a, const auto &b) {
        return tableTextLess(a, b, asNumbers);
    });
    return texts;
}

TEST(LexemeTable, SortAsTextAndAsNumbers)
{
    EXPECT_EQ(sorted({"10", "9", "100"}, /*asNumbers=*/true),
              (std::vector<std::string>{"9", "10", "100"}));
    EXPECT_EQ(sorted({"10", "9", "100"}, /*asNumbers=*/false),
              (std::vector<std::string>{"10", "100", "9"}));
    // Length counts characters: two Cyrillic letters are shorter than three digits.
    EXPECT_EQ(sorted({"123", "Яя"}, /*asNumbers=*/true), (std::vector<std::string>{"Яя", "123"}));
}

TEST(LexemeTable, KeyNameUniquenessMatchesAsLookupsDo)
{
    const std::vector<std::string> keys = {"A1", "B2", "a1", "Северный "};
    struct Case {
        const char *keyName;
        bool inUse;
    };
    for (const Case &entered :
         {Case{"A1", true}, Case{"B2", true}, Case{"b2", false}, Case{"Северный", true},
          Case{" Северный\t", true}, Case{"Северн ый", false}}) {
        SCOPED_TRACE(entered.keyName);
        EXPECT_EQ(keyNameInUse(entered.keyName, keys), entered.inUse);
    }
    EXPECT_FALSE(keyNameInUse("A1", {}));
}

} // namespace vorela
