// What the windows show of a take while it is being recorded: the level of what has just
// arrived, whether the microphone has clipped, and the time span its growing waveform fills.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vorela {

/// The meter's bottom: quieter peaks, and silence, read as this.
inline constexpr double MeterFloorDbfs = -60.0;

struct BlockLevel {
    double peakDbfs = MeterFloorDbfs; ///< 0 at full scale (32768), never below the floor
    bool clipped = false;             ///< a sample at 32767 or -32768: the input overloaded
    bool operator==(const BlockLevel &) const = default;
};

/// The peak of block in dBFS and whether it reached full scale.
[[nodiscard]] BlockLevel blockLevel(std::span<const std::int16_t> block);

/// Share of the meter lit for a peak: 0 at the floor, 1 at full scale, even steps in dB.
[[nodiscard]] double meterShare(double peakDbfs);

/// Samples the waveform of a growing take spans: 5 seconds at first, then 5 more each time the
/// take fills them, so that the picture grows to the right instead of being squeezed each tick.
[[nodiscard]] std::size_t growingSpanSamples(std::size_t recordedSamples);

/// Follows one take as it grows: each look reports the level of what arrived since the last one,
/// and clipping, once seen, stays reported until the next take.
class TakeMonitor {
public:
    /// Starts over for a new take.
    void restart() { *this = TakeMonitor(); }
    /// Looks at the whole take so far; with nothing new it repeats the last level.
    BlockLevel follow(std::span<const std::int16_t> soFar);
    [[nodiscard]] bool hasClipped() const { return clippedOnce; }

private:
    std::size_t seen = 0;
    BlockLevel last;
    bool clippedOnce = false;
};

} // namespace vorela
