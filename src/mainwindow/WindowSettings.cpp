// The main window's saved state in the registry store.
#include "mainwindow/WindowSettings.h"

#include "platform/RegistryStore.h"
#include "stores/RegistryPaths.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

static constexpr std::string_view LastWindowSizeValue = "LastWindowSize";
static constexpr std::string_view WindowMaximizedValue = "WindowMaximized";
static constexpr std::string_view SplitPosValue = "SplitPos";

WindowSettings::WindowSettings(RegistryStore &store, int screenWidth, int screenHeight)
    : key(store.createKey(EditorKeyPath)), desktopWidth(screenWidth), desktopHeight(screenHeight)
{
}

bool WindowSettings::storeDefaults() const
{
    const std::array<std::uint8_t, 16> rect =
        encodeWindowRect(defaultWindowRect(desktopWidth, desktopHeight));
    const RegistryValue defaults[] = {
        {.name = std::string(LastWindowSizeValue),
         .type = ValueType::Binary,
         .bytes = std::vector<std::uint8_t>(rect.begin(), rect.end())},
        {.name = std::string(WindowMaximizedValue), .type = ValueType::Dword},
        {.name = std::string(SplitPosValue),
         .type = ValueType::Dword,
         .dword = static_cast<std::uint32_t>(defaultSplitPos(desktopWidth))},
    };
    return key.createDefaults(defaults);
}

WindowRect WindowSettings::restoredRect() const
{
    const std::optional<std::vector<std::uint8_t>> bytes = key.readBinary(LastWindowSizeValue);
    const std::optional<WindowRect> stored =
        bytes ? decodeWindowRect(*bytes) : std::optional<WindowRect>();
    return restoredWindowRect(stored, desktopWidth, desktopHeight);
}

bool WindowSettings::maximized() const
{
    return key.readDword(WindowMaximizedValue) == 1u;
}

std::uint32_t WindowSettings::splitPos() const
{
    return key.readDword(SplitPosValue)
        .value_or(static_cast<std::uint32_t>(defaultSplitPos(desktopWidth)));
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
