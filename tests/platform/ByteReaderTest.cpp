#include "platform/ByteReader.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace vorela {

TEST(ByteReader, ReadsLittleEndianAndStopsAtTheEnd)
{
    const std::array<std::uint8_t, 7> bytes = {0x78, 0x56, 0x34, 0x12, 0xCD, 0xAB, 0xEE};
    ByteReader reader(bytes);
    std::uint32_t word = 0;
    std::uint16_t half = 0;
    std::uint8_t byte = 0;
    ASSERT_TRUE(reader.readU32le(word));
    EXPECT_EQ(word, 0x12345678u);
    EXPECT_FALSE(reader.readU32le(word)); // three bytes left
    EXPECT_EQ(word, 0x12345678u);
    EXPECT_EQ(reader.position(), 4u);
    ASSERT_TRUE(reader.readU16le(half));
    EXPECT_EQ(half, 0xABCD);
    EXPECT_FALSE(reader.readU16le(half));
    ASSERT_TRUE(reader.readU8(byte));
    EXPECT_EQ(byte, 0xEE);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.readU8(byte));
}

TEST(ByteReader, CountsBeyondTheRestAreRefusedWithoutOverflow)
{
    const std::array<std::uint8_t, 4> bytes = {1, 2, 3, 4};
    ByteReader reader(bytes);
    ASSERT_TRUE(reader.skip(1));
    std::span<const std::uint8_t> view;
    EXPECT_FALSE(reader.readBytes(4, view));
    EXPECT_FALSE(reader.readBytes(std::numeric_limits<std::size_t>::max(), view));
    EXPECT_FALSE(reader.skip(std::numeric_limits<std::size_t>::max()));
    ASSERT_TRUE(reader.readBytes(3, view));
    EXPECT_EQ(view.data(), bytes.data() + 1);
    EXPECT_EQ(view.size(), 3u);
    EXPECT_TRUE(reader.readBytes(0, view));
}

} // namespace vorela
