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
        {-16.9, 0, 0, 0, {"на 3.1 LU громче середины библиотеки (-20.0 LUFS)"}},
        {-23.2,
         1,
         0,
         0.51,
         {"на 3.2 LU тише середины библиотеки (-20.0 LUFS)", "обрезанных отсчётов: 1",
          "тишина в конце: 0.51 с"}},
        {-20.0, 0, 0.75, 0, {"тишина в начале: 0.75 с"}},
        // Peaks at -2 dBTP let levelling raise it by 1 dB only.
        {-26.0,
         0,
         0,
         0,
         {"на 6.0 LU тише середины библиотеки (-20.0 LUFS), выравнивание поднимет его лишь "
          "до -25.0 LUFS из-за предела пиков -1 dBTP"},
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
    EXPECT_EQ(soundProblems(silent, -20.0), std::vector<std::string>{"пустой: в нём одна тишина"});
    EXPECT_EQ(soundProblems(SoundMeasure{}, -20.0),
              std::vector<std::string>{"пустой: в нём нет ни одного отсчёта"});
}

} // namespace
} // namespace vorela
