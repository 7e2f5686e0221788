// Geometry of the waveform picture and the time ruler under it, computed from the samples alone
// so that the window only paints what these functions return.
#pragma once

#include "soundeditor/WaveformZoom.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vorela {

struct WavePoint {
    int x = 0;
    int y = 0;
    bool operator==(const WavePoint &) const = default;
};

/// Row of a sample value in a waveform viewHeight pixels high (full scale fills the height).
[[nodiscard]] int sampleY(int sample, int viewHeight);

/// The waveform as one polyline across viewWidth columns; empty for an empty sound. With at least
/// one sample per column each column is a stroke from its maximum to its minimum, joined to the
/// previous column; with fewer samples the line holds each sample over its columns.
[[nodiscard]] std::vector<WavePoint> waveformPolyline(std::span<const std::int16_t> samples,
                                                      int viewWidth, int viewHeight);

struct RulerLabel {
    int x = 0;
    std::string text;
};

/// Ticks and labels of the time ruler, and the grid columns of the waveform that follow them.
struct RulerLayout {
    int pixelStep = 0;
    std::vector<int> majorTicks; ///< grid lines; the ruler draws its tick 2 pixels further right
    std::vector<int> minorTicks;
    std::vector<RulerLabel> labels;
    int finalTick = 0;
};

[[nodiscard]] RulerLayout rulerLayout(std::uint32_t soundSize, int viewWidth, int rulerWidth);
/// The ruler of the part of the sound a zoomed view shows, labelled in seconds from the start of
/// the sound; the whole-sound ruler above when the view shows it all.
[[nodiscard]] RulerLayout rulerLayout(std::uint32_t soundSize, const WaveformZoom &view,
                                      int rulerWidth);

/// The length caption drawn on the waveform ("1.25 сек.", as the status line says it).
[[nodiscard]] std::string lengthCaption(std::uint32_t soundSize);

} // namespace vorela
