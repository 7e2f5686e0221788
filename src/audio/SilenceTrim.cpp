// Silence is decided per 10 ms frame from its RMS level against a threshold that follows the
// recording's own noise floor, so a hissing phone microphone trims as well as a studio file.
#include "audio/SilenceTrim.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vorela {

namespace {

constexpr std::size_t FrameSamples = 80; // 10 ms at 8000 Hz
// Microphone and line hiss of a real recording lies around -60 to -50 dBFS; nothing quieter than
// -45 dBFS is heard as speech on a phone line.
constexpr double AbsoluteThresholdDb = -45;
// The quietest frames of a recording are its noise floor; speech starts clearly above it.
constexpr double AboveNoiseDb = 10;
// Soft consonants and nasals at the edges of a word ("с", "ф", "м") lie up to about 25 dB under its
// vowels: whatever is within 25 dB of the loudest frame is never silence.
constexpr double BelowLoudestDb = 25;
// Plosive onsets and fading vowels sit under the threshold: 50 ms each side keeps them and gives
// words joined into a template a natural gap.
constexpr std::size_t MarginSamples = 400;
constexpr double NoiseQuantile = 0.1;
constexpr double SilentFrameDb = -200; // all zeros
// The hiss of a microphone in a quiet room and the last bits of a converter stay under -60 dBFS;
// a word, however softly spoken, rises above it somewhere.
constexpr double NearSilenceDb = -60;

double frameLevelDb(std::span<const std::int16_t> frame)
{
    double sum = 0;
    for (const std::int16_t sample : frame)
        sum += double(sample) * double(sample);
    const double rms = std::sqrt(sum / double(frame.size())) / 32768.0;
    return rms > 0 ? 20 * std::log10(rms) : SilentFrameDb;
}

std::vector<double> frameLevels(std::span<const std::int16_t> samples)
{
    std::vector<double> levels;
    levels.reserve(samples.size() / FrameSamples + 1);
    for (std::size_t start = 0; start < samples.size(); start += FrameSamples)
        levels.push_back(
            frameLevelDb(samples.subspan(start, std::min(FrameSamples, samples.size() - start))));
    return levels;
}

double silenceThreshold(std::vector<double> levels)
{
    const double loudest = *std::max_element(levels.begin(), levels.end());
    const auto quantile = levels.begin() + std::ptrdiff_t(double(levels.size()) * NoiseQuantile);
    std::nth_element(levels.begin(), quantile, levels.end());
    const double noise = *quantile;
    return std::max(AbsoluteThresholdDb, std::min(noise + AboveNoiseDb, loudest - BelowLoudestDb));
}

// The frames from the first to the last one above threshold (dBFS).
SampleRange framesAbove(const std::vector<double> &levels, double threshold, std::size_t size)
{
    const auto isSound = [threshold](double level) { return level > threshold; };
    const auto first = std::find_if(levels.begin(), levels.end(), isSound);
    if (first == levels.end())
        return {};
    const auto last = std::find_if(levels.rbegin(), levels.rend(), isSound);
    const std::size_t begin = std::size_t(first - levels.begin()) * FrameSamples;
    const std::size_t end = std::min(size, std::size_t(levels.rend() - last) * FrameSamples);
    return {begin, end - begin};
}

} // namespace

SampleRange audibleSpan(std::span<const std::int16_t> samples)
{
    if (samples.empty())
        return {};
    const std::vector<double> levels = frameLevels(samples);
    return framesAbove(levels, silenceThreshold(levels), samples.size());
}

bool isNearSilence(std::span<const std::int16_t> samples)
{
    const std::vector<double> levels = frameLevels(samples);
    return std::all_of(levels.begin(), levels.end(),
                       [](double level) { return level <= NearSilenceDb; });
}

SampleRange loudPart(std::span<const std::int16_t> samples, double withinDb)
{
    if (samples.empty())
        return {};
    const std::vector<double> levels = frameLevels(samples);
    const double loudest = *std::max_element(levels.begin(), levels.end());
    if (loudest <= SilentFrameDb)
        return {};
    return framesAbove(levels, loudest - withinDb, samples.size());
}

SampleRange soundWithoutSilence(std::span<const std::int16_t> samples)
{
    const SampleRange span = audibleSpan(samples);
    if (span.count == 0)
        return {};
    const std::size_t begin = span.first > MarginSamples ? span.first - MarginSamples : 0;
    const std::size_t end = std::min(samples.size(), span.first + span.count + MarginSamples);
    return {begin, end - begin};
}

} // namespace vorela
