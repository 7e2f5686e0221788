// Splitting at separators with quotes, and reading leading digits.
#include "platform/TextParsing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorela {
namespace {

struct ParseCase {
    const char *text;
    const char *separators;
    const char *quotes;
    std::vector<std::string> pieces;
};

TEST(TextParsing, SplitsIntoNonEmptyPiecesKeepingQuotedRuns)
{
    const std::vector<ParseCase> cases = {
        {"125,50", ",.", "\"'", {"125", "50"}},
        {"1.234,56", ",.", "\"'", {"1", "234", "56"}},
        {",,.5", ",.", "\"'", {"5"}},
        {"", ",.", "\"'", {}},
        {"..,", ",.", "", {}},
        {"0000/07/03", " /-:,.", "\"'", {"0000", "07", "03"}},
        {"'0000/07/03'", " /-:,.", "\"'", {"0000/07/03"}},
        {"a 'b c' d", " ", "'", {"a", "b c", "d"}},
        {"x\"1,2\"y,z", ",", "\"'", {"x1,2y", "z"}},
        {"'it\"s' q", " ", "\"'", {"it\"s", "q"}},
        {"'open, to end", ",", "'", {"open, to end"}},
        {"'' a", " ", "'", {"a"}},
        {"3\\4\\7\\", "\\", "", {"3", "4", "7"}},
        {"дом 12а, кв.5", " ,.", "", {"дом", "12а", "кв", "5"}},
    };
    for (const ParseCase &c : cases)
        EXPECT_EQ(parseText(c.text, c.separators, c.quotes), c.pieces) << c.text;
}

TEST(TextParsing, ReadsLeadingDigitsOnly)
{
    const std::vector<std::pair<const char *, std::uint64_t>> cases = {
        {"", 0},
        {"0", 0},
        {"007", 7},
        {"125,50", 125},
        {"12а", 12},
        {" 12", 0},
        {"-5", 0},
        {"4294967296", 4294967296ULL},
        {"99999999999999999999999", UINT64_MAX},
        {"18446744073709551615", UINT64_MAX},
        {"18446744073709551614", UINT64_MAX - 1},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(leadingNumber(text), value) << text;
}

} // namespace
} // namespace vorela
