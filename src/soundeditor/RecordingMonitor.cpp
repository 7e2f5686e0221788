// The recording level on 16-bit samples: peaks against 32768, clipping at either end of the range.
#include "soundeditor/RecordingMonitor.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorela {

static constexpr double FullScale = 32768.0;
static constexpr std::size_t GrowingStepSamples = 5 * 8000;

BlockLevel blockLevel(std::span<const std::int16_t> block)
{
    int peak = 0;
    bool clipped = false;
    for (const std::int16_t sample : block) {
        peak = std::max(peak, std::abs(int(sample)));
        clipped = clipped || sample == std::numeric_limits<std::int16_t>::max() ||
                  sample == std::numeric_limits<std::int16_t>::min();
    }
    if (peak == 0)
        return {MeterFloorDbfs, false};
    const double dbfs = 20.0 * std::log10(peak / FullScale);
    return {std::max(MeterFloorDbfs, dbfs), clipped};
}

double meterShare(double peakDbfs)
{
    return std::clamp((peakDbfs - MeterFloorDbfs) / -MeterFloorDbfs, 0.0, 1.0);
}

std::size_t growingSpanSamples(std::size_t recordedSamples)
{
    const std::size_t steps = recordedSamples / GrowingStepSamples + 1;
    return steps * GrowingStepSamples;
}

BlockLevel TakeMonitor::follow(std::span<const std::int16_t> soFar)
{
    if (soFar.size() < seen)
        restart(); // a shorter take is a new one
    if (soFar.size() == seen)
        return last;
    last = blockLevel(soFar.subspan(seen));
    seen = soFar.size();
    clippedOnce = clippedOnce || last.clipped;
    return last;
}

} // namespace vorela
