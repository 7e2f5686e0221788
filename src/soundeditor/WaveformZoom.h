// Zoom of the waveform. Selections are kept in pixels of one fixed fine width (the columns
// times MaxZoom), whatever the zoom: a zoom or a scroll only moves the window shown onto it,
// so the bytes a selection covers never change with the view.
#pragma once

#include "audio/SampleMath.h"

#include <cstdint>

namespace vorela {

/// Deepest zoom: a minute of speech over the editor's 493 columns still shows about 15 samples
/// per column, 2 ms.
inline constexpr int MaxZoom = 64;

class WaveformZoom {
public:
    /// A view of columns screen columns, showing the whole sound.
    explicit WaveformZoom(int columns = 1);

    [[nodiscard]] int columns() const { return shownColumns; }
    /// 1 shows the whole sound; each zoom in doubles it, up to MaxZoom.
    [[nodiscard]] int level() const { return zoomLevel; }
    /// The width selections are kept in: the viewWidth of the pixel and byte arithmetic.
    [[nodiscard]] int selectionWidth() const { return shownColumns * MaxZoom; }
    /// Selection pixels per screen column.
    [[nodiscard]] int pixelsPerColumn() const { return MaxZoom / zoomLevel; }
    /// The selection pixel at the left edge of the view.
    [[nodiscard]] int firstPixel() const { return offset; }
    /// Selection pixels the view shows.
    [[nodiscard]] int shownPixels() const { return shownColumns * pixelsPerColumn(); }

    /// The selection pixel under a screen column, within 0 .. selectionWidth().
    [[nodiscard]] int pixelAt(int column) const;
    /// The screen column of a selection pixel; outside 0 .. columns() when not shown.
    [[nodiscard]] int columnOf(int pixel) const;
    [[nodiscard]] bool shows(int pixel) const;
    /// The bytes of a sound of soundSize bytes the view shows.
    [[nodiscard]] ByteRange shownBytes(std::uint32_t soundSize) const;

    /// Zooms in or out by one level keeping pixel at its column where the view allows; false
    /// (nothing changes) at the deepest zoom or at the whole sound.
    [[nodiscard]] bool zoomIn(int pixel);
    [[nodiscard]] bool zoomOut(int pixel);
    /// Back to the whole sound.
    void fit();
    /// Moves the view sideways by a number of columns, within the sound.
    void scrollBy(int columnCount);
    /// Turns the view a page on so that pixel is shown (at the left edge when it lay outside);
    /// false when it was already shown.
    [[nodiscard]] bool follow(int pixel);

private:
    void rezoom(int newLevel, int pixel);
    void placeAt(int first);

    int shownColumns = 1;
    int zoomLevel = 1;
    int offset = 0;
};

} // namespace vorela
