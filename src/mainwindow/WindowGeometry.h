// Where the main window and its split bar go: the stored rectangle's byte layout and the rules
// that replace a stored value that does not fit the screen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace vorela {

struct WindowRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const WindowRect &) const = default;
};

/// The stored form: x, y, width, height as little-endian signed 32-bit integers.
[[nodiscard]] std::array<std::uint8_t, 16> encodeWindowRect(const WindowRect &rect);
/// Nothing unless the value is exactly 16 bytes.
[[nodiscard]] std::optional<WindowRect> decodeWindowRect(std::span<const std::uint8_t> bytes);

/// Two thirds of the desktop each way, centred.
[[nodiscard]] WindowRect defaultWindowRect(int desktopWidth, int desktopHeight);
/// The split position written when none is stored: the middle of the default window.
[[nodiscard]] int defaultSplitPos(int desktopWidth);

/// The stored rectangle when it lies wholly on the desktop, else the default one.
[[nodiscard]] WindowRect restoredWindowRect(const std::optional<WindowRect> &stored,
                                            int desktopWidth, int desktopHeight);

/// The stored split position unless it is closer than 10 pixels to an edge (then the middle).
[[nodiscard]] int restoredSplitPos(std::int64_t stored, int clientWidth);

/// A dragged split bar stops 50 pixels from either edge.
[[nodiscard]] int clampedSplitPos(int position, int clientWidth);

/// The split bar follows half of the window's growth and stays inside the drag limits.
[[nodiscard]] int splitPosAfterResize(int position, int oldClientWidth, int newClientWidth);

} // namespace vorela
