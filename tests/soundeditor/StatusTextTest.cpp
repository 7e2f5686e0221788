// Status line texts against hand-computed seconds and formats.
#include "soundeditor/StatusText.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

constexpr std::uint32_t TwoSeconds = 32000;

TEST(StatusTextTest, StartText)
{
    EXPECT_EQ(startText(80, false, TwoSeconds, 320),
              (StatusPanes{"Начало: 0.50 сек.", "Длина: 2.00 сек."}));
    EXPECT_EQ(startText(0, false, TwoSeconds, 320).start, "Начало: 0.0 сек.");
    EXPECT_EQ(startText(80, true, TwoSeconds, 320).start, "Начало: 0.0 сек.");
    EXPECT_EQ(startText(0, false, 0, 320), (StatusPanes{"Начало: 0.0 сек.", "Длина: 0.0 сек."}));
    // A 400-byte sound: step 0.005, three decimals.
    EXPECT_EQ(startText(160, false, 400, 320).start, "Начало: 0.013 сек.");
}

TEST(StatusTextTest, SelectionText)
{
    EXPECT_EQ(selectionText({160, 80}, TwoSeconds, 320),
              (StatusPanes{"Выделено: 0.50 - 1.00 сек.", "Длина: 0.50 сек."}));
    EXPECT_EQ(selectionText({0, 80}, TwoSeconds, 320).start, "Выделено: 0.0 - 0.50 сек.");
    // Two pixels or fewer show the start text again.
    EXPECT_EQ(selectionText({80, 81}, TwoSeconds, 320).start, "Начало: 0.50 сек.");
    EXPECT_EQ(selectionText({0, 1}, TwoSeconds, 320).start, "Начало: 0.0 сек.");
}

TEST(StatusTextTest, PlaybackRecordingAndGain)
{
    EXPECT_EQ(playbackText(160, TwoSeconds, 320), "Воспроизведение: 1.00 сек.");
    EXPECT_EQ(playedLengthText({0, NoSelectionEnd}, TwoSeconds, 320), "Длина: 2.00 сек.");
    EXPECT_EQ(playedLengthText({80, 240}, TwoSeconds, 320), "Длина: 1.00 сек.");
    EXPECT_EQ(recordingText(8000), "Запись:  1.0 сек.");
    EXPECT_EQ(recordingText(477600), "Запись: 59.7 сек.");
    EXPECT_EQ(gainText(10), " +62.50%");
    EXPECT_EQ(gainText(-16), "-100.00%");
    EXPECT_EQ(gainText(4080), "+25500.00%");
}

} // namespace
} // namespace vorela
