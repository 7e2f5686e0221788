// Waveform polyline and ruler ticks, one pass over the samples.
#include "soundeditor/Waveform.h"

#include "audio/SampleMath.h"

#include <algorithm>
#include <cmath>

namespace vorela {

int sampleY(int sample, int viewHeight)
{
    return viewHeight / 2 - (viewHeight * sample) / 65536;
}

static std::vector<WavePoint> denseColumns(std::span<const std::int16_t> samples, int viewWidth,
                                           int viewHeight)
{
    std::vector<WavePoint> points;
    points.reserve(std::size_t(viewWidth) * 2 + 1);
    points.push_back({0, viewHeight / 2});
    const std::uint64_t count = samples.size();
    std::size_t next = 0;
    for (int x = 0; x < viewWidth; ++x) {
        const auto end = static_cast<std::size_t>((std::uint64_t(x) + 1) * count / viewWidth);
        // Both start at 0: a column never hides the centre line.
        std::int16_t highest = 0;
        std::int16_t lowest = 0;
        for (; next < end; ++next) {
            highest = std::max(highest, samples[next]);
            lowest = std::min(lowest, samples[next]);
        }
        points.push_back({x, sampleY(highest, viewHeight)});
        points.push_back({x, sampleY(lowest, viewHeight)});
    }
    return points;
}

static std::vector<WavePoint> sparseColumns(std::span<const std::int16_t> samples, int viewWidth,
                                            int viewHeight)
{
    std::vector<WavePoint> points;
    points.reserve(std::size_t(viewWidth) + 1);
    const float pixelsPerSample = static_cast<float>(viewWidth * 2.0 / (samples.size() * 2.0));
    std::size_t current = 0;
    std::size_t boundary = 1;
    points.push_back({0, sampleY(samples[0], viewHeight)});
    for (int x = 0; x < viewWidth; ++x) {
        if (static_cast<float>(x) >= static_cast<float>(boundary) * pixelsPerSample &&
            current + 1 < samples.size()) {
            ++current;
            ++boundary;
        }
        points.push_back({x, sampleY(samples[current], viewHeight)});
    }
    return points;
}

std::vector<WavePoint> waveformPolyline(std::span<const std::int16_t> samples, int viewWidth,
                                        int viewHeight)
{
    if (samples.empty() || viewWidth <= 0)
        return {};
    if (samples.size() >= std::size_t(viewWidth))
        return denseColumns(samples, viewWidth, viewHeight);
    return sparseColumns(samples, viewWidth, viewHeight);
}

RulerLayout rulerLayout(std::uint32_t soundSize, int viewWidth, int rulerWidth)
{
    RulerLayout ruler;
    ruler.finalTick = rulerWidth - 1;
    const float step = TickStep(soundSize);
    const double count = soundSeconds(soundSize) / step;
    if (count <= 0.0 || viewWidth <= 0)
        return ruler;
    ruler.pixelStep = static_cast<int>(viewWidth / count);
    const char *format = LabelFormat(step);
    for (int k = 0; k < count; ++k) {
        const int x = k * ruler.pixelStep;
        ruler.majorTicks.push_back(x);
        for (int i = 1; i <= 5; ++i)
            ruler.minorTicks.push_back(2 + x + (i * ruler.pixelStep) / 5);
        if (x > rulerWidth - 12)
            continue;
        ruler.labels.push_back({x, k == 0 ? std::string("0") : formatNumber(format, k * step)});
    }
    return ruler;
}

RulerLayout rulerLayout(std::uint32_t soundSize, const WaveformZoom &view, int rulerWidth)
{
    if (view.level() == 1)
        return rulerLayout(soundSize, view.columns(), rulerWidth);
    RulerLayout ruler;
    ruler.finalTick = rulerWidth - 1;
    // The ticks are as dense as on a whole sound as long as the part shown.
    const float step = TickStep(soundSize / static_cast<std::uint32_t>(view.level()));
    const double secondsPerColumn =
        soundSeconds(soundSize) / view.selectionWidth() * view.pixelsPerColumn();
    if (secondsPerColumn <= 0.0)
        return ruler;
    const double firstSecond = pixelSeconds(view.firstPixel(), soundSize, view.selectionWidth());
    const double columnsPerStep = step / secondsPerColumn;
    ruler.pixelStep = static_cast<int>(columnsPerStep);
    const char *format = LabelFormat(step);
    // From the tick left of the view, whose minor ticks may fall inside it.
    for (auto k = static_cast<long>(firstSecond / step);; ++k) {
        const auto x =
            static_cast<int>(std::lround((k * double(step) - firstSecond) / secondsPerColumn));
        if (x >= rulerWidth)
            break;
        for (int i = 1; i <= 5; ++i) {
            const int minor = 2 + x + (i * ruler.pixelStep) / 5;
            if (minor >= 0 && minor < rulerWidth)
                ruler.minorTicks.push_back(minor);
        }
        if (x < 0)
            continue;
        ruler.majorTicks.push_back(x);
        if (x <= rulerWidth - 12)
            ruler.labels.push_back({x, k == 0 ? std::string("0") : formatNumber(format, k * step)});
    }
    return ruler;
}

std::string lengthCaption(std::uint32_t soundSize)
{
    return formatNumber("%4.2f сек.", soundSeconds(soundSize));
}

} // namespace vorela
