// The registry text of a version gives back every byte of names and data, and refuses what it
// did not write with the line that is wrong.
#include "versions/RegistryText.h"

#include <gtest/gtest.h>

#include <random>

namespace vorela {
namespace {

std::string randomBytes(std::mt19937 &random, std::size_t most)
{
    // Mostly the characters the format treats specially, so each escape is met often.
    static const std::string Special = "\"\\%[]=:\n\r\t\x01\x7f\xd0\xb9 x";
    std::string text(random() % (most + 1), ' ');
    for (char &character : text)
        character = random() % 2 == 0 ? Special[random() % Special.size()]
                                      : static_cast<char>(random() % 256);
    return text;
}

TEST(RegistryTextTest, EveryNameAndValueRoundTrips)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<TextKey> keys(1 + random() % 4);
        for (TextKey &key : keys) {
            key.path = randomBytes(random, 12) + "\\" + randomBytes(random, 6);
            for (unsigned count = random() % 4; count > 0; --count) {
                RegistryValue value;
                value.name = randomBytes(random, 8);
                value.type = std::array{ValueType::String, ValueType::Dword,
                                        ValueType::Binary}[random() % 3];
                if (value.type == ValueType::String)
                    value.text = randomBytes(random, 20);
                if (value.type == ValueType::Dword)
                    value.dword = static_cast<std::uint32_t>(random());
                if (value.type == ValueType::Binary) {
                    const std::string bytes = randomBytes(random, 20);
                    value.bytes.assign(bytes.begin(), bytes.end());
                }
                key.values.push_back(value);
            }
        }
        std::vector<TextKey> read;
        std::string error;
        ASSERT_TRUE(readRegistryText(writeRegistryText(keys), "t", read, error)) << error;
        ASSERT_EQ(read.size(), keys.size());
        for (std::size_t index = 0; index < keys.size(); ++index) {
            EXPECT_EQ(read[index].path, keys[index].path);
            EXPECT_EQ(read[index].values, keys[index].values);
        }
        const std::string name = randomBytes(random, 10);
        EXPECT_EQ(decodeFileName(encodeFileName(name)), name);
        EXPECT_EQ(encodeFileName(name).find_first_of("/\\ _|+.%\n"),
                  encodeFileName(name).find('%'));
    }
}

TEST(RegistryTextTest, AMalformedLineIsRefusedByNumber)
{
    const struct {
        std::string text;
        std::string line;
    } cases[] = {
        {"\"a\"=sz:\"x\"\n", "line 1"},              // a value before any key
        {"[k]\n\"a\"=sz:\"x\n", "line 2"},           // an unclosed text
        {"[k]\n\"a\"=dword:12x\n", "line 2"},        // a number with a letter
        {"[k]\n\"a\"=dword:4294967296\n", "line 2"}, // more than 32 bits
        {"[k]\n\"a\"=hex:0\n", "line 2"},            // half a byte
        {"[k]\n\"a\"=sz:\"\\q\"\n", "line 2"},       // an unknown escape
        {"[k]\n[k%G0]\n", "line 2"},                 // a broken %XX in a path
        {"[k]\n\"a\"=text:\"x\"\n", "line 2"},       // an unknown type
    };
    for (const auto &[text, line] : cases) {
        std::vector<TextKey> keys;
        std::string error;
        EXPECT_FALSE(readRegistryText(text, "f.txt", keys, error)) << text;
        EXPECT_NE(error.find("f.txt, " + line + ":"), std::string::npos) << error;
    }
}

} // namespace
} // namespace vorela
