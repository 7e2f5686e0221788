// Where trimming cuts: tones between stretches of silence or hiss, weak onsets, and real speech.
#include "audio/SilenceTrim.h"

#include "installation/SpeechSynthesis.h"
#include "support/TempDataDir.h"
#include "support/TestTone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace vorela {
namespace {

using test::joined;
using test::silence;
using test::toneAtRms;
using test::whiteNoise;

constexpr std::size_t Margin = 400; // 50 ms
constexpr std::size_t Frame = 80;   // the trim's 10 ms resolution

std::vector<std::int16_t> floorOf(double seconds, double dbfs, unsigned seed)
{
    return dbfs < -100 ? silence(seconds) : whiteNoise(seconds, dbfs, seed);
}

TEST(SilenceTrimTest, KeepsTheToneAndAMarginWhateverTheNoiseFloor)
{
    struct Case {
        double floorDbfs; // below -100: digital silence
        double toneDbfs;
    };
    const Case cases[] = {{-200, -20}, {-60, -30}, {-50, -20}, {-40, -12}, {-200, -42}};
    for (const Case &c : cases) {
        const std::vector<std::int16_t> sound =
            joined({floorOf(0.6, c.floorDbfs, 1), toneAtRms(300, 1, c.toneDbfs),
                    floorOf(0.4, c.floorDbfs, 2)});
        const SampleRange kept = soundWithoutSilence(sound);
        const std::string label = std::to_string(c.floorDbfs) + " / " + std::to_string(c.toneDbfs);
        EXPECT_NEAR(double(kept.first), 4800.0 - Margin, Frame) << label;
        EXPECT_NEAR(double(kept.first + kept.count), 12800.0 + Margin, Frame) << label;
        const SampleRange audible = audibleSpan(sound);
        EXPECT_NEAR(double(audible.first), 4800, Frame) << label;
        EXPECT_NEAR(double(audible.count), 8000, 2 * Frame) << label;
    }
}

TEST(SilenceTrimTest, KeepsAWeakConsonantBeforeALoudVowel)
{
    // An "с" of 80 ms at -38 dBFS, 26 dB under the vowel that follows.
    const std::vector<std::int16_t> sound = joined(
        {whiteNoise(0.5, -58), whiteNoise(0.08, -38, 5), toneAtRms(250, 0.5, -12), silence(0.3)});
    EXPECT_NEAR(double(soundWithoutSilence(sound).first), 4000.0 - Margin, Frame);
    // Recorded tightly, the consonant is the quietest tenth of the sound, not its noise floor.
    const std::vector<std::int16_t> tight =
        joined({whiteNoise(0.15, -35, 6), toneAtRms(250, 1, -12)});
    EXPECT_EQ(soundWithoutSilence(tight), (SampleRange{0, tight.size()}));
}

TEST(SilenceTrimTest, NothingToKeepInSilenceOrHiss)
{
    const std::vector<std::int16_t> nothing[] = {{}, silence(1), whiteNoise(1, -55), {0, 0, 1}};
    for (const std::vector<std::int16_t> &sound : nothing) {
        EXPECT_EQ(soundWithoutSilence(sound), SampleRange{}) << sound.size();
        EXPECT_EQ(audibleSpan(sound), SampleRange{}) << sound.size();
    }
}

TEST(SilenceTrimTest, MarginStopsAtTheEndsOfTheSound)
{
    const std::vector<std::int16_t> tone = toneAtRms(440, 0.503, -20);
    EXPECT_EQ(soundWithoutSilence(tone), (SampleRange{0, tone.size()}));
    const std::vector<std::int16_t> late = joined({silence(0.02), tone, silence(0.02)});
    EXPECT_EQ(soundWithoutSilence(late), (SampleRange{0, late.size()}));
}

TEST(SilenceTrimTest, KeepsEveryAudibleSampleOfASpokenWord)
{
    if (std::system("command -v espeak-ng >/dev/null 2>&1 && command -v sox >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "espeak-ng and sox are needed for speech";
    const test::TempDataDir work;
    const SynthesisResult spoken =
        synthesize({{"семнадцать", "ru"}, {"шесть", "ru"}}, work.path(), /*parallel=*/1);
    ASSERT_TRUE(spoken.ok()) << spoken.error;
    for (const std::vector<std::int16_t> &word : spoken.sounds) {
        const std::vector<std::int16_t> sound =
            joined({whiteNoise(0.7, -58, 3), word, whiteNoise(0.7, -58, 4)});
        const SampleRange kept = soundWithoutSilence(sound);
        const std::size_t wordStart = 5600;
        for (std::size_t n = 0; n < word.size(); ++n) {
            if (std::abs(word[n]) < 330) // -40 dBFS
                continue;
            ASSERT_GE(wordStart + n, kept.first) << n;
            ASSERT_LT(wordStart + n, kept.first + kept.count) << n;
        }
        EXPECT_GE(kept.first, 4000U);
        EXPECT_LE(kept.first + kept.count, wordStart + word.size() + 1600);
    }
}

} // namespace
} // namespace vorela
