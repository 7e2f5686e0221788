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

TEST(LexemeTable, KeyNameUniqueness)
{
    const std::vector<std::string> keys = {"A1", "B2", "a1"};
    EXPECT_TRUE(keyNameInUse("A1", keys));
    EXPECT_TRUE(keyNameInUse("B2", keys));
    EXPECT_FALSE(keyNameInUse("b2", keys)); // compared exactly
    EXPECT_FALSE(keyNameInUse("A1", {}));
}

} // namespace vorela
