// The main window's saved state in the registry store.
#include "mainwindow/WindowSettings.h"

#include "platform/RegistryStore.h"
#include "stores/RegistryPaths.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace vorela {

static constexpr std::string_view LastWindowSizeValue = "LastWindowSize";
static constexpr std::string_view WindowMaximizedValue = "WindowMaximized";
static constexpr std::string_view SplitPosValue = "SplitPos";

WindowSettings::WindowSettings(RegistryStore &store, int screenWidth, int screenHeight)
    : key(store.createKey(EditorKeyPath)), desktopWidth(screenWidth), desktopHeight(screenHeight)
{
}

WindowRect WindowSettings::restoredRect() const
{
    if (!key.hasValue(LastWindowSizeValue)) {
        const WindowRect fallback = defaultWindowRect(desktopWidth, desktopHeight);
        (void)saveRect(fallback); // a store that cannot be written still gets the default window
        return fallback;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = key.readBinary(LastWindowSizeValue);
    const std::optional<WindowRect> stored =
        bytes ? decodeWindowRect(*bytes) : std::optional<WindowRect>();
    return restoredWindowRect(stored, desktopWidth, desktopHeight);
}

bool WindowSettings::maximized() const
{
    return key.dwordValue(WindowMaximizedValue) == 1;
}

std::uint32_t WindowSettings::splitPos() const
{
    if (!key.hasValue(SplitPosValue)) {
        const int fallback = defaultSplitPos(desktopWidth);
        (void)saveSplitPos(fallback);
        return static_cast<std::uint32_t>(fallback);
    }
    return key.dwordValue(SplitPosValue);
}

bool WindowSettings::saveRect(const WindowRect &rect) const
{
    return key.writeBinary(LastWindowSizeValue, encodeWindowRect(rect));
}

bool WindowSettings::saveMaximized(bool isMaximized) const
{
    return key.writeDword(WindowMaximizedValue, isMaximized ? 1 : 0);
}

bool WindowSettings::saveSplitPos(int x) const
{
    return key.writeDword(SplitPosValue, static_cast<std::uint32_t>(std::max(0, x)));
}

} // namespace vorela
