#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace vorela {

TEST(CodePage, EveryCp1251ByteRoundTrips)
{
    std::string allBytes;
    for (int value = 0; value < 256; ++value)
        allBytes.push_back(static_cast<char>(value));
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(allBytes)), allBytes);
}

TEST(CodePage, CyrillicInBothCodePages)
{
    EXPECT_EQ(cp1251ToUtf8("\xCF\xD0\xC8\xC2\xE5\xF2"), "ПРИВет");
    EXPECT_EQ(cp1251ToUtf8("\xA8\xB8\xAA\xB2\xAF"), "ЁёЄІЇ");
    EXPECT_EQ(cp866ToUtf8("\x8F\xE0\xA8\xA2\xA5\xE2 \xF0\xF1"), "Привет Ёё");
    EXPECT_EQ(utf8ToCp1251("Дом 7"), "\xC4\xEE\xEC 7");
    EXPECT_EQ(utf8ToCp1251("日"), "?");
}

TEST(CodePage, LengthCountsCharactersNotBytes)
{
    EXPECT_EQ(utf8Length("Дата +001 (им)"), 14u);
    EXPECT_EQ(utf8Length(""), 0u);
    EXPECT_EQ(utf8Length("\xD0"), 1u); // a broken sequence still counts once
}

} // namespace vorela
