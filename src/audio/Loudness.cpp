// EBU R128 measures through libebur128 at the bank's 8000 Hz. The loudness is taken over the
// loud part alone, so a word does not read quieter for the pause recorded before it.
#include "audio/Loudness.h"

#include "audio/SampleMath.h"
#include "audio/SilenceTrim.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace vorela {

namespace {

struct StateFree {
    void operator()(ebur128_state *state) const { ebur128_destroy(&state); }
};
using State = std::unique_ptr<ebur128_state, StateFree>;

// Speech more than 30 dB under a word's loudest frame adds nothing to how loud it sounds.
constexpr double MeasuredPartDb = 30;
// Levelling that ends this close to the library's loudness has reached it.
constexpr double ShortfallDb = 0.1;
// Gated integrated loudness needs at least one 400 ms block.
constexpr std::size_t GatingBlockSamples = SampleRate * 400 / 1000;

State feed(std::span<const std::int16_t> samples, int mode)
{
    State state(ebur128_init(1, SampleRate, mode));
    if (!state ||
        ebur128_add_frames_short(state.get(), samples.data(), samples.size()) != EBUR128_SUCCESS)
        return nullptr;
    return state;
}

// An empty optional inside means silence; the outer one is empty when the library failed.
std::optional<std::optional<double>> speechLoudness(std::span<const std::int16_t> samples)
{
    if (isNearSilence(samples))
        return std::optional<double>();
    // The measured part is found relative to the sound's own loudest frame, so that a levelled
    // sound measures where levelling put it: the trim's threshold also has an absolute floor.
    const SampleRange measured = loudPart(samples, MeasuredPartDb);
    if (measured.count < SampleRate / 1000) // less than the 1 ms a window can be
        return std::optional<double>();
    const std::span<const std::int16_t> speech = samples.subspan(measured.first, measured.count);
    const State state = feed(speech, EBUR128_MODE_I);
    if (!state)
        return std::nullopt;
    double loudness = -HUGE_VAL;
    // A short word such as "и" has no gated block: its loudness is that of one window covering
    // the whole of it, the same mean-square measure the gated blocks take.
    const int status =
        speech.size() >= GatingBlockSamples
            ? ebur128_loudness_global(state.get(), &loudness)
            : ebur128_loudness_window(state.get(), speech.size() * 1000 / SampleRate, &loudness);
    if (status != EBUR128_SUCCESS)
        return std::nullopt;
    if (!std::isfinite(loudness))
        return std::optional<double>();
    return std::optional<double>(loudness);
}

std::optional<double> truePeakDb(std::span<const std::int16_t> samples)
{
    const State state = feed(samples, EBUR128_MODE_TRUE_PEAK);
    double peak = 0;
    if (!state || ebur128_true_peak(state.get(), 0, &peak) != EBUR128_SUCCESS)
        return std::nullopt;
    return peak > 0 ? 20 * std::log10(peak) : -std::numeric_limits<double>::infinity();
}

} // namespace

std::optional<SoundMeasure> measureSound(std::span<const std::int16_t> samples)
{
    SoundMeasure measure;
    measure.seconds = double(samples.size()) / SampleRate;
    measure.clippedSamples = std::size_t(std::count_if(samples.begin(), samples.end(), [](auto s) {
        return s == std::numeric_limits<std::int16_t>::max() ||
               s == std::numeric_limits<std::int16_t>::min();
    }));
    // A word too quiet for the trim's floor is measured from its own loudest part instead.
    SampleRange span = audibleSpan(samples);
    if (span.count == 0 && !isNearSilence(samples))
        span = loudPart(samples, MeasuredPartDb);
    // A silent sound is silence from either end.
    measure.leadingSilence = span.count == 0 ? measure.seconds : double(span.first) / SampleRate;
    measure.trailingSilence = span.count == 0
                                  ? measure.seconds
                                  : double(samples.size() - span.first - span.count) / SampleRate;
    const std::optional<std::optional<double>> loudness = speechLoudness(samples);
    const std::optional<double> peak = truePeakDb(samples);
    if (!loudness || !peak)
        return std::nullopt;
    measure.loudness = *loudness;
    measure.truePeak = *peak;
    return measure;
}

std::optional<double> levellingGain(const SoundMeasure &measure)
{
    if (!measure.loudness)
        return std::nullopt;
    return std::min(LibraryLoudness - *measure.loudness, LevelledPeakLimit - measure.truePeak);
}

bool stopsAtPeakLimit(const SoundMeasure &measure)
{
    const std::optional<double> gain = levellingGain(measure);
    return gain && *measure.loudness + *gain < LibraryLoudness - ShortfallDb;
}

std::vector<std::int16_t> withGain(std::span<const std::int16_t> samples, double gainDb)
{
    const double factor = std::pow(10.0, gainDb / 20);
    std::vector<std::int16_t> result;
    result.reserve(samples.size());
    for (const std::int16_t sample : samples) {
        const double scaled = std::round(double(sample) * factor);
        result.push_back(std::int16_t(std::clamp(scaled, -32768.0, 32767.0)));
    }
    return result;
}

} // namespace vorela
