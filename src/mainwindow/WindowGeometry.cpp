// Where the main window and its split bar go.
#include "mainwindow/WindowGeometry.h"

#include <algorithm>

namespace vorela {

constexpr int SplitEdgeOffset = 50;
constexpr int SplitRestoreMargin = 10;

static void putInt32(std::uint8_t *out, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

static std::int32_t getInt32(const std::uint8_t *in)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

std::array<std::uint8_t, 16> encodeWindowRect(const WindowRect &rect)
{
    std::array<std::uint8_t, 16> bytes{};
    putInt32(&bytes[0], rect.x);
    putInt32(&bytes[4], rect.y);
    putInt32(&bytes[8], rect.width);
    putInt32(&bytes[12], rect.height);
    return bytes;
}

std::optional<WindowRect> decodeWindowRect(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != 16)
        return std::nullopt;
    return WindowRect{getInt32(&bytes[0]), getInt32(&bytes[4]), getInt32(&bytes[8]),
                      getInt32(&bytes[12])};
}

// A quarter of the screen left both trees too narrow for their names on a first start.
WindowRect defaultWindowRect(int desktopWidth, int desktopHeight)
{
    const int width = desktopWidth * 2 / 3;
    const int height = desktopHeight * 2 / 3;
    return {(desktopWidth - width) / 2, (desktopHeight - height) / 2, width, height};
}

int defaultSplitPos(int desktopWidth)
{
    return defaultWindowRect(desktopWidth, 0).width / 2;
}

WindowRect restoredWindowRect(const std::optional<WindowRect> &stored, int desktopWidth,
                              int desktopHeight)
{
    if (!stored)
        return defaultWindowRect(desktopWidth, desktopHeight);
    const WindowRect &rect = *stored;
    // 64-bit sums: a damaged value near the int32 limit must not wrap into the desktop.
    const bool fits = rect.x >= 0 && rect.y >= 0 && rect.width >= 0 && rect.height >= 0 &&
                      std::int64_t{rect.x} + rect.width <= desktopWidth &&
                      std::int64_t{rect.y} + rect.height <= desktopHeight;
    return fits ? rect : defaultWindowRect(desktopWidth, desktopHeight);
}

int restoredSplitPos(std::int64_t stored, int clientWidth)
{
    if (stored < SplitRestoreMargin || stored > clientWidth - SplitRestoreMargin)
        return clientWidth / 2;
    return static_cast<int>(stored);
}

int clampedSplitPos(int position, int clientWidth)
{
    if (position <= SplitEdgeOffset)
        return SplitEdgeOffset;
    if (position >= clientWidth - SplitEdgeOffset)
        return std::max(SplitEdgeOffset, clientWidth - SplitEdgeOffset);
    return position;
}

int splitPosAfterResize(int position, int oldClientWidth, int newClientWidth)
{
    const int moved = position + (newClientWidth - oldClientWidth) / 2;
    return clampedSplitPos(moved, newClientWidth);
}

} // namespace vorela
