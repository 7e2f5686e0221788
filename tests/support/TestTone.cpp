// Sine tones for the real-device tests, and a Goertzel filter to find one in a recording.
#include "support/TestTone.h"

#include <cmath>
#include <numbers>

namespace vorela::test {

static constexpr double SampleRate = 8000;

std::vector<std::int16_t> sineTone(double hertz, double seconds, double amplitude)
{
    std::vector<std::int16_t> samples(std::size_t(seconds * SampleRate));
    const double step = 2 * std::numbers::pi * hertz / SampleRate;
    for (std::size_t n = 0; n < samples.size(); ++n)
        samples[n] = std::int16_t(amplitude * std::sin(step * double(n)));
    return samples;
}

double toneLevel(std::span<const std::int16_t> samples, double hertz)
{
    if (samples.empty())
        return 0;
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * hertz / SampleRate);
    double previous = 0;
    double beforePrevious = 0;
    for (const std::int16_t sample : samples) {
        const double current = sample / 32768.0 + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return 2 * std::sqrt(power) / double(samples.size());
}

} // namespace vorela::test
