// The window of the zoomed waveform, in whole screen columns of the fine selection pixels.
#include "soundeditor/WaveformZoom.h"

#include <algorithm>

namespace vorela {

WaveformZoom::WaveformZoom(int columns) : shownColumns(std::max(1, columns)) {}

int WaveformZoom::pixelAt(int column) const
{
    return std::clamp(offset + column * pixelsPerColumn(), 0, selectionWidth());
}

int WaveformZoom::columnOf(int pixel) const
{
    const int from = pixel - offset;
    const int unit = pixelsPerColumn();
    // Rounded down also left of the view, so a pixel just outside never shows in column 0.
    return from >= 0 ? from / unit : -((-from + unit - 1) / unit);
}

bool WaveformZoom::shows(int pixel) const
{
    return pixel >= offset && pixel <= offset + shownPixels();
}

ByteRange WaveformZoom::shownBytes(std::uint32_t soundSize) const
{
    return bytesBetween(offset, offset + shownPixels(), soundSize, selectionWidth());
}

bool WaveformZoom::zoomIn(int pixel)
{
    if (zoomLevel >= MaxZoom)
        return false;
    rezoom(zoomLevel * 2, pixel);
    return true;
}

bool WaveformZoom::zoomOut(int pixel)
{
    if (zoomLevel <= 1)
        return false;
    rezoom(zoomLevel / 2, pixel);
    return true;
}

void WaveformZoom::fit()
{
    zoomLevel = 1;
    offset = 0;
}

void WaveformZoom::rezoom(int newLevel, int pixel)
{
    const int column = std::clamp(columnOf(pixel), 0, shownColumns);
    zoomLevel = newLevel;
    placeAt(pixel - column * pixelsPerColumn());
}

void WaveformZoom::placeAt(int first)
{
    // Whole columns from the start, so a pixel keeps its column while the view scrolls.
    const int unit = pixelsPerColumn();
    const int last = selectionWidth() - shownPixels();
    offset = std::clamp(first / unit * unit, 0, last);
}

void WaveformZoom::scrollBy(int columnCount)
{
    placeAt(offset + columnCount * pixelsPerColumn());
}

bool WaveformZoom::follow(int pixel)
{
    if (shows(pixel))
        return false;
    placeAt(pixel);
    return true;
}

} // namespace vorela
