#include "platform/ArchiveFileNames.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

TEST(ArchiveFileNames, ValuesBecomeNamesThatStayInTheFolder)
{
    const std::pair<std::string, std::string> cases[] = {
        {"+7 912/34-56", "+7_912_34-56"},
        {"../../etc/passwd", "_.._etc_passwd"},
        {"...", ""},
        {" .hidden", "hidden"},
        {"Иванов И.И.", "Иванов_И.И."},
        {"a\tb\nc", "a_b_c"},
        {"$(rm -rf x)", "_(rm_-rf_x)"},
        {"///", ""},
    };
    for (const auto &[value, stem] : cases)
        EXPECT_EQ(safeFileStem(value), stem) << value;
}

TEST(ArchiveFileNames, LongValuesAreCutBetweenCharacters)
{
    // 60 two-byte letters: a cut at 100 bytes must not split one.
    std::string value;
    for (int letter = 0; letter < 60; ++letter)
        value += "Ж";
    const std::string stem = safeFileStem("x" + value);
    EXPECT_EQ(stem, "x" + value.substr(0, 98));
}

TEST(ArchiveFileNames, RepeatedNamesGetSuffixes)
{
    const std::vector<std::string> stems = {"a", "a", "a-2", "b", "a"};
    EXPECT_EQ(uniqueFileNames(stems, ".wav"),
              (std::vector<std::string>{"a.wav", "a-2.wav", "a-2-2.wav", "b.wav", "a-3.wav"}));
    EXPECT_EQ(recordFileStem(123), "000123");
    EXPECT_EQ(recordFileStem(1234567), "1234567");
}

} // namespace
} // namespace vorela
