// Sine tones and noise for the sound tests, and a Goertzel filter to find one in a recording.
#include "support/TestTone.h"

#include <cmath>
#include <numbers>
#include <random>

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

std::vector<std::int16_t> toneAtRms(double hertz, double seconds, double rmsDbfs)
{
    return sineTone(hertz, seconds, 32768 * std::sqrt(2.0) * std::pow(10.0, rmsDbfs / 20));
}

std::vector<std::int16_t> silence(double seconds)
{
    return std::vector<std::int16_t>(std::size_t(seconds * SampleRate));
}

std::vector<std::int16_t> joined(std::initializer_list<std::vector<std::int16_t>> parts)
{
    std::vector<std::int16_t> all;
    for (const std::vector<std::int16_t> &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<std::int16_t> whiteNoise(double seconds, double rmsDbfs, unsigned seed)
{
    // A uniform distribution on [-a, a] has an RMS of a / sqrt(3).
    const double bound = std::sqrt(3.0) * 32768 * std::pow(10.0, rmsDbfs / 20);
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> distribution(-bound, bound);
    std::vector<std::int16_t> samples(std::size_t(seconds * SampleRate));
    for (std::int16_t &sample : samples)
        sample = std::int16_t(std::lround(distribution(generator)));
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
