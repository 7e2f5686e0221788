// Loudness, true peak, clipping and silence of sounds whose levels are known by construction,
// and the gain that levels them.
#include "audio/Loudness.h"

#include "support/TestTone.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorela {
namespace {

using test::joined;
using test::silence;
using test::toneAtRms;
using test::whiteNoise;

SoundMeasure measured(std::span<const std::int16_t> samples)
{
    const std::optional<SoundMeasure> measure = measureSound(samples);
    EXPECT_TRUE(measure.has_value());
    return measure.value_or(SoundMeasure{});
}

// K-weighting is close to 0 dB at 1 kHz, so a 1 kHz sine reads its RMS level in LUFS (a 0 dBFS
// peak sine, RMS -3.01 dBFS, reads -3.01 LUFS). Short sounds are measured over one window.
// (At 8000 Hz a 1 kHz sine has a sample on its crest: -3.01 would not fit 16 bits.)
TEST(LoudnessTest, OneKilohertzToneReadsItsRmsLevel)
{
    struct Case {
        double rmsDbfs;
        double seconds;
    };
    const Case cases[] = {{-3.5, 2}, {-10, 3}, {-20, 2}, {-30, 1}, {-20, 0.2}, {-26, 0.12}};
    for (const Case &c : cases) {
        const SoundMeasure measure = measured(toneAtRms(1000, c.seconds, c.rmsDbfs));
        ASSERT_TRUE(measure.loudness.has_value()) << c.rmsDbfs << " dBFS, " << c.seconds << " s";
        EXPECT_NEAR(*measure.loudness, c.rmsDbfs, 0.5) << c.rmsDbfs << " dBFS, " << c.seconds;
        EXPECT_NEAR(measure.seconds, c.seconds, 0.001);
    }
}

TEST(LoudnessTest, PausesAroundAWordDoNotChangeItsLoudness)
{
    for (const double seconds : {0.15, 0.3, 1.5}) {
        const std::vector<std::int16_t> word = toneAtRms(1000, seconds, -24);
        const SoundMeasure alone = measured(word);
        const SoundMeasure padded = measured(joined({silence(1.2), word, silence(0.7)}));
        ASSERT_TRUE(alone.loudness && padded.loudness) << seconds;
        EXPECT_NEAR(*padded.loudness, *alone.loudness, 0.3) << seconds;
    }
}

TEST(LoudnessTest, LoudnessFollowsTheLevelOfNoise)
{
    const SoundMeasure loud = measured(whiteNoise(2, -14));
    const SoundMeasure quiet = measured(whiteNoise(2, -20, /*seed=*/7));
    ASSERT_TRUE(loud.loudness && quiet.loudness);
    EXPECT_NEAR(*loud.loudness - *quiet.loudness, 6, 0.2);
    // Above 1.5 kHz K-weighting adds up to 4 dB: flat noise up to 4 kHz reads louder than its RMS.
    EXPECT_GT(*quiet.loudness, -20.0);
    EXPECT_LT(*quiet.loudness, -16.0);
}

TEST(LoudnessTest, SilenceAndEmptySoundsHaveNoLoudness)
{
    const SoundMeasure silent = measured(silence(1));
    EXPECT_FALSE(silent.loudness.has_value());
    EXPECT_TRUE(std::isinf(silent.truePeak) && silent.truePeak < 0);
    EXPECT_DOUBLE_EQ(silent.leadingSilence, 1.0);
    EXPECT_FALSE(levellingGain(silent).has_value());

    const SoundMeasure empty = measured({});
    EXPECT_FALSE(empty.loudness.has_value());
    EXPECT_EQ(empty.seconds, 0.0);
    EXPECT_EQ(empty.clippedSamples, 0U);
}

TEST(LoudnessTest, SilenceIsNearDigitalSilenceAndAQuietWordIsNot)
{
    struct Case {
        std::vector<std::int16_t> sound;
        std::optional<double> loudness; // LUFS; none for silence
    };
    const Case cases[] = {
        {whiteNoise(1, -90), std::nullopt},                       // the last bit
        {whiteNoise(1, -65, /*seed=*/5), std::nullopt},           // hiss of a quiet room
        {toneAtRms(1000, 0.6, -55), -55},                         // a word spoken far too softly
        {joined({silence(0.7), toneAtRms(1000, 0.5, -50)}), -50}, // after a pause
    };
    for (const Case &c : cases) {
        const SoundMeasure measure = measured(c.sound);
        ASSERT_EQ(measure.loudness.has_value(), c.loudness.has_value()) << c.loudness.value_or(0);
        if (!c.loudness)
            continue;
        EXPECT_NEAR(*measure.loudness, *c.loudness, 0.5);
        EXPECT_LT(measure.trailingSilence, 0.05) << *c.loudness;
        EXPECT_TRUE(levellingGain(measure).has_value());
    }
}

TEST(LoudnessTest, TruePeakSeesPeaksBetweenSamples)
{
    // 2 kHz at 8 kHz with a 45 degree phase: every sample is at 0.707 of the sine's peak, which
    // lies between the samples.
    std::vector<std::int16_t> samples(8000);
    for (std::size_t n = 0; n < samples.size(); ++n)
        samples[n] = std::int16_t(std::lround(16384 * std::sin(M_PI / 2 * double(n) + M_PI / 4)));
    EXPECT_NEAR(measured(samples).truePeak, -6.02, 0.3);
    EXPECT_NEAR(measured(toneAtRms(1000, 1, -13.01)).truePeak, -10.0, 0.3);
}

TEST(LoudnessTest, CountsSamplesAtFullScaleOnly)
{
    const std::vector<std::int16_t> samples = {32767, -32768, 32766, -32767, 0, 32767, 12};
    EXPECT_EQ(measured(samples).clippedSamples, 3U);
    // A sine driven to twice full scale is flat at the rails wherever |sin| >= 1/2: two thirds.
    const std::vector<std::int16_t> overdriven = withGain(toneAtRms(997, 1, -3.1), 6.02);
    EXPECT_NEAR(double(measured(overdriven).clippedSamples), 8000.0 * 2 / 3, 80);
}

TEST(LoudnessTest, SilenceAtEachEndIsMeasuredToTheSound)
{
    const std::vector<std::int16_t> sound =
        joined({silence(0.8), toneAtRms(440, 1, -18), whiteNoise(0.3, -62)});
    const SoundMeasure measure = measured(sound);
    EXPECT_NEAR(measure.leadingSilence, 0.8, 0.011);
    EXPECT_NEAR(measure.trailingSilence, 0.3, 0.011);
    EXPECT_NEAR(measure.seconds, 2.1, 0.001);
}

TEST(LoudnessTest, GainReachesTheLibraryLoudnessUnlessThePeakForbids)
{
    struct Case {
        double loudness;
        double truePeak;
        double expectedGain;
        bool peakLimited;
    };
    const Case cases[] = {
        {-26, -10, 6, false},    // quiet: raised
        {-14, -2, -6, false},    // loud: lowered
        {-26, -4, 3, true},      // raising 6 dB would push the peak past -1 dBTP
        {-20, -0.5, -0.5, true}, // at the right loudness but peaking too high
        {-20.05, -1, 0, false},  // a twentieth of a dB short is there
    };
    for (const Case &c : cases) {
        SoundMeasure measure;
        measure.loudness = c.loudness;
        measure.truePeak = c.truePeak;
        const std::optional<double> gain = levellingGain(measure);
        ASSERT_TRUE(gain.has_value());
        EXPECT_NEAR(*gain, c.expectedGain, 1e-9) << c.loudness << ' ' << c.truePeak;
        EXPECT_EQ(stopsAtPeakLimit(measure), c.peakLimited) << c.loudness << ' ' << c.truePeak;
    }
}

TEST(LoudnessTest, GainRoundsAndSaturates)
{
    const std::vector<std::int16_t> samples = {0, 1, -1, 3, -3, 100, -100, 20000, -20000};
    EXPECT_EQ(withGain(samples, 20 * std::log10(2.0)),
              (std::vector<std::int16_t>{0, 2, -2, 6, -6, 200, -200, 32767, -32768}));
    EXPECT_EQ(withGain(samples, 20 * std::log10(0.5)),
              (std::vector<std::int16_t>{0, 1, -1, 2, -2, 50, -50, 10000, -10000}));
    EXPECT_EQ(withGain(samples, 0), samples);
}

TEST(LoudnessTest, LevelledSoundsMeasureAtTheLibraryLoudness)
{
    const std::vector<std::int16_t> sounds[] = {
        toneAtRms(1000, 1, -32),                         // quiet word
        joined({silence(0.5), toneAtRms(700, 0.2, -9)}), // short loud word after a pause
        whiteNoise(1.5, -30, /*seed=*/3),                // hiss-like consonants
        // A loud short word whose soft ending falls under the trim's floor once lowered.
        joined({silence(0.1), toneAtRms(700, 0.25, -8), toneAtRms(300, 0.1, -40)}),
    };
    for (const std::vector<std::int16_t> &sound : sounds) {
        const SoundMeasure before = measured(sound);
        const std::optional<double> gain = levellingGain(before);
        ASSERT_TRUE(gain.has_value());
        const SoundMeasure after = measured(withGain(sound, *gain));
        ASSERT_TRUE(after.loudness.has_value());
        EXPECT_NEAR(*after.loudness, LibraryLoudness, 0.1);
        EXPECT_LE(after.truePeak, LevelledPeakLimit + 0.05);
    }
    // Clicks have a high crest factor: raising them stops at the peak limit instead.
    std::vector<std::int16_t> clicks(8000);
    for (std::size_t n = 0; n < clicks.size(); n += 400) {
        clicks[n] = 24000;
        clicks[n + 1] = -24000;
    }
    const SoundMeasure after = measured(withGain(clicks, *levellingGain(measured(clicks))));
    ASSERT_TRUE(after.loudness.has_value());
    EXPECT_NEAR(after.truePeak, LevelledPeakLimit, 0.05);
    EXPECT_LT(*after.loudness, LibraryLoudness);
}

} // namespace
} // namespace vorela
