// The stored window rectangle's bytes and the rules that replace values not fitting the screen.
#include "mainwindow/WindowGeometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace vorela {
namespace {

TEST(WindowGeometryTest, RectangleIsFourLittleEndianInt32)
{
    const auto bytes = encodeWindowRect({1, -2, 0x01020304, 300});
    const std::array<std::uint8_t, 16> expected = {1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,
                                                   4, 3, 2, 1, 0x2C, 1,    0,    0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(decodeWindowRect(bytes), (WindowRect{1, -2, 0x01020304, 300}));
    const std::vector<std::uint8_t> shortValue(15, 0), longValue(17, 0);
    EXPECT_FALSE(decodeWindowRect(shortValue).has_value());
    EXPECT_FALSE(decodeWindowRect(longValue).has_value());
}

TEST(WindowGeometryTest, StoredRectangleMustLieOnTheDesktop)
{
    const WindowRect middle{320, 180, 1280, 720};
    EXPECT_EQ(defaultWindowRect(1920, 1080), middle);
    // Two thirds each way, centred, on screens whose sizes do not divide by three.
    EXPECT_EQ(defaultWindowRect(1366, 768), (WindowRect{228, 128, 910, 512}));
    EXPECT_EQ(defaultWindowRect(1025, 601), (WindowRect{171, 100, 683, 400}));
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::optional<WindowRect> stored;
        WindowRect expected;
    };
    const Case cases[] = {
        {std::nullopt, middle},
        {WindowRect{0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
        {WindowRect{10, 20, 300, 200}, {10, 20, 300, 200}},
        {WindowRect{1000, 0, 921, 100}, middle}, // from a wider monitor
        {WindowRect{0, 100, 100, 981}, middle},
        {WindowRect{-1, 0, 100, 100}, middle},
        {WindowRect{0, -1, 100, 100}, middle},
        {WindowRect{0, 0, -5, 100}, middle},
        {WindowRect{0, 0, 100, -5}, middle},
        {WindowRect{Max, 0, Max, 100}, middle}, // must not wrap
    };
    for (const Case &c : cases)
        EXPECT_EQ(restoredWindowRect(c.stored, 1920, 1080), c.expected);
}

TEST(WindowGeometryTest, SplitPositionLimits)
{
    EXPECT_EQ(defaultSplitPos(1920), 640);
    EXPECT_EQ(defaultSplitPos(1366), 455);
    EXPECT_EQ(restoredSplitPos(10, 800), 10);
    EXPECT_EQ(restoredSplitPos(9, 800), 400);
    EXPECT_EQ(restoredSplitPos(790, 800), 790);
    EXPECT_EQ(restoredSplitPos(791, 800), 400);
    EXPECT_EQ(restoredSplitPos(0xFFFFFFFFLL, 800), 400);
    EXPECT_EQ(clampedSplitPos(50, 800), 50);
    EXPECT_EQ(clampedSplitPos(51, 800), 51);
    EXPECT_EQ(clampedSplitPos(-20, 800), 50);
    EXPECT_EQ(clampedSplitPos(749, 800), 749);
    EXPECT_EQ(clampedSplitPos(750, 800), 750);
    EXPECT_EQ(clampedSplitPos(900, 800), 750);
    EXPECT_EQ(splitPosAfterResize(300, 800, 1000), 400);
    EXPECT_EQ(splitPosAfterResize(300, 800, 500), 150);
    EXPECT_EQ(splitPosAfterResize(300, 800, 300), 50);
}

} // namespace
} // namespace vorela
