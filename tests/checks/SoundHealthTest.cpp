// The limits of the sound check on both sides, against the library's median loudness.
#include "checks/SoundHealth.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

TEST(SoundHealthTest, FlagsOnlyPastEachLimit)
{
    struct Case {
        double loudness;
        std::size_t clipped;
        double leading;
        double trailing;
        std::vector<std::string> expected;
        double truePeak = -10;
    };
    const Case cases[] = {
        {-23.0, 0, 0.5, 0.5, {}},
        {-16.9, 0, 0, 0, {"3.1 LU louder than the library's median -20.0 LUFS"}},
        {-23.2,
         1,
         0,
         0.51,
         {"3.2 LU quieter than the library's median -20.0 LUFS", "1 clipped samples",
          "0.51 s of silence at the end"}},
        {-20.0, 0, 0.75, 0, {"0.75 s of silence at the start"}},
        // Peaks at -2 dBTP let levelling raise it by 1 dB only.
        {-26.0,
         0,
         0,
         0,
         {"6.0 LU quieter than the library's median -20.0 LUFS (levelling stops at -25.0 LUFS: "
          "true peak limit -1 dBTP)"},
         -2},
    };
    for (const Case &c : cases) {
        SoundMeasure measure;
        measure.seconds = 2;
        measure.loudness = c.loudness;
        measure.clippedSamples = c.clipped;
        measure.leadingSilence = c.leading;
        measure.trailingSilence = c.trailing;
        measure.truePeak = c.truePeak;
        EXPECT_EQ(soundProblems(measure, -20.0), c.expected) << c.loudness;
    }
    SoundMeasure silent;
    silent.seconds = 1;
    silent.leadingSilence = 1;
    EXPECT_EQ(soundProblems(silent, -20.0), std::vector<std::string>{"empty: silent"});
    EXPECT_EQ(soundProblems(SoundMeasure{}, -20.0), std::vector<std::string>{"empty: no samples"});
}

} // namespace
} // namespace vorela
