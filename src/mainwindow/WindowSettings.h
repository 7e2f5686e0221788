// The main window's saved state in HKLM "Software\vorela\Editor\": "LastWindowSize",
// "WindowMaximized" and "SplitPos". A missing value reads as its default, written by storeDefaults.
#pragma once

#include "mainwindow/WindowGeometry.h"
#include "platform/RegistryKey.h"

#include <cstdint>

namespace vorela {

class RegistryStore;

class WindowSettings {
public:
    /// Opens (creating) the editor key; the desktop's screenWidth and screenHeight give the
    /// defaults.
    WindowSettings(RegistryStore &store, int screenWidth, int screenHeight);

    /// Writes the default of each value that is missing; false when they could not be written.
    [[nodiscard]] bool storeDefaults() const;

    /// The stored rectangle when it fits the desktop, else the default one.
    [[nodiscard]] WindowRect restoredRect() const;
    [[nodiscard]] bool maximized() const;
    /// The stored split position as stored, the default one when missing (callers check it
    /// against the client width).
    [[nodiscard]] std::uint32_t splitPos() const;

    /// Each returns false when the store could not be written.
    [[nodiscard]] bool saveRect(const WindowRect &rect) const;
    [[nodiscard]] bool saveMaximized(bool isMaximized) const;
    [[nodiscard]] bool saveSplitPos(int x) const;

private:
    RegistryKey key;
    int desktopWidth;
    int desktopHeight;
};

} // namespace vorela
