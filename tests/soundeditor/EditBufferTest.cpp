// Cut, crop, gain, recording splice and the undo history on small hand-made sounds.
#include "soundeditor/EditBuffer.h"

#include <gtest/gtest.h>

#include <numeric>

namespace vorela {
namespace {

using Samples = std::vector<std::int16_t>;

// Ten samples 0..9 over ten columns: pixel p is byte 2p, sample p.
Samples ramp()
{
    Samples samples(10);
    std::iota(samples.begin(), samples.end(), std::int16_t{0});
    return samples;
}

Samples current(const EditBuffer &buffer)
{
    return {buffer.samples().begin(), buffer.samples().end()};
}

TEST(EditBufferTest, CutUndoRedo)
{
    EditBuffer buffer(ramp());
    const std::optional<Selection> after = buffer.cut({2, 5}, 10);
    ASSERT_TRUE(after);
    EXPECT_EQ(current(buffer), (Samples{0, 1, 5, 6, 7, 8, 9}));
    EXPECT_EQ(*after, (Selection{2, 2})); // trunc(10 * 4 / 14)
    EXPECT_TRUE(buffer.undoAvailable());
    EXPECT_FALSE(buffer.redo());

    EXPECT_EQ(buffer.undo(), (Selection{2, 5}));
    EXPECT_EQ(current(buffer), ramp());
    EXPECT_FALSE(buffer.undoAvailable());
    EXPECT_FALSE(buffer.undo());
    EXPECT_EQ(current(buffer), ramp());
    EXPECT_EQ(buffer.redo(), (Selection{2, 2}));
    EXPECT_EQ(current(buffer), (Samples{0, 1, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(buffer.redoAvailable());
}

TEST(EditBufferTest, NothingSelectedChangesNothing)
{
    EditBuffer buffer(ramp());
    EXPECT_FALSE(buffer.cut({4, 4}, 10));
    EXPECT_FALSE(buffer.crop({4, NoSelectionEnd}, 10));
    EXPECT_FALSE(buffer.applyGainStep(+1, {4, 4}, 10).applied);
    EXPECT_EQ(current(buffer), ramp());
    EXPECT_FALSE(buffer.undoAvailable());
}

TEST(EditBufferTest, CutWholeSoundAndCrop)
{
    EditBuffer buffer(ramp());
    EXPECT_EQ(buffer.cut({10, 0}, 10), (Selection{0, 0}));
    EXPECT_EQ(buffer.soundSize(), 0U);
    EXPECT_TRUE(buffer.undo());
    EXPECT_EQ(current(buffer), ramp());

    EXPECT_EQ(buffer.crop({5, 2}, 10), (Selection{0, 0}));
    EXPECT_EQ(current(buffer), (Samples{2, 3, 4}));
    EXPECT_EQ(buffer.undo(), (Selection{5, 2}));
}

TEST(EditBufferTest, GainStepsFromTheUnchangedCopy)
{
    const Samples original{1000, -1000, 3, -3, 32767, -32768};
    EditBuffer buffer(original);
    const Selection all{0, 6};
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(buffer.applyGainStep(+1, all, 6).applied);
    // factor 1 + 10/16, truncated toward zero, clamped
    EXPECT_EQ(current(buffer), (Samples{1625, -1625, 4, -4, 32767, -32768}));
    EXPECT_EQ(buffer.gainSteps(), 10);

    GainStepResult step;
    for (int i = 0; i < 26; ++i)
        step = buffer.applyGainStep(-1, all, 6);
    EXPECT_TRUE(step.limitReached);
    EXPECT_EQ(buffer.gainSteps(), MinGainSteps);
    EXPECT_EQ(current(buffer), Samples(6, 0)); // -100 %: silence
    EXPECT_FALSE(buffer.applyGainStep(-1, all, 6).applied);

    for (int i = 0; i < 16; ++i)
        (void)buffer.applyGainStep(+1, all, 6);
    EXPECT_EQ(current(buffer), original); // back to 0 %: exactly the original
}

TEST(EditBufferTest, GainClampsAtTheTopAndRecovers)
{
    const Samples original{1000, -1, 0, 127};
    EditBuffer buffer(original);
    const Selection firstTwo{0, 2};
    GainStepResult step;
    while (!step.limitReached)
        step = buffer.applyGainStep(+1, firstTwo, 4);
    EXPECT_EQ(buffer.gainSteps(), MaxGainSteps);
    EXPECT_EQ(current(buffer), (Samples{32767, -256, 0, 127})); // outside the range untouched
    EXPECT_FALSE(buffer.applyGainStep(+1, firstTwo, 4).applied);
    for (int i = 0; i < MaxGainSteps; ++i)
        (void)buffer.applyGainStep(-1, firstTwo, 4);
    EXPECT_EQ(current(buffer), original);
}

TEST(EditBufferTest, OneGainAdjustmentIsOneStep)
{
    EditBuffer buffer(Samples{100, 200});
    (void)buffer.applyGainStep(+1, {0, 2}, 2);
    (void)buffer.applyGainStep(+1, {0, 2}, 2);
    EXPECT_EQ(buffer.undoDepth(), 1U);
    EXPECT_EQ(buffer.undo(), (Selection{0, 2}));
    EXPECT_EQ(current(buffer), (Samples{100, 200}));
    EXPECT_FALSE(buffer.undoAvailable());
    EXPECT_FALSE(buffer.gainOpen());
    EXPECT_EQ(buffer.redo(), (Selection{0, 2}));
    EXPECT_EQ(current(buffer), (Samples{112, 225}));
    // The next step opens a new adjustment from 0, on the sound as it now stands.
    (void)buffer.applyGainStep(+1, {0, 2}, 2);
    EXPECT_EQ(buffer.gainSteps(), 1);
    EXPECT_EQ(current(buffer), (Samples{119, 239}));
    EXPECT_EQ(buffer.undoDepth(), 2U);
}

TEST(EditBufferTest, RecordingIntoEmptySound)
{
    EditBuffer buffer;
    const Samples recorded{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(buffer.spliceRecording({0, NoSelectionEnd}, recorded, 320), (Selection{320, 0}));
    EXPECT_EQ(current(buffer), recorded);
    EXPECT_EQ(buffer.undo(), (Selection{0, 0}));
    EXPECT_EQ(buffer.soundSize(), 0U);
}

TEST(EditBufferTest, RecordingReplacesSelectionOrInsertsAtMarker)
{
    const Samples recorded{100, 101, 102, 103};
    for (const Selection at : {Selection{2, 5}, Selection{5, 2}}) {
        EditBuffer buffer(ramp());
        // left = round(2 * 20 / 22) = 2, right = (8 + 4) * 10 / 22 = 5
        EXPECT_EQ(buffer.spliceRecording(at, recorded, 10), (Selection{5, 2}));
        EXPECT_EQ(current(buffer), (Samples{0, 1, 100, 101, 102, 103, 5, 6, 7, 8, 9}));
        EXPECT_EQ(buffer.undo(), at);
        EXPECT_EQ(current(buffer), ramp());
    }
    EditBuffer buffer(ramp());
    (void)buffer.spliceRecording({3, NoSelectionEnd}, recorded, 10);
    EXPECT_EQ(current(buffer), (Samples{0, 1, 2, 100, 101, 102, 103, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(buffer.undo(), (Selection{0, 0}));
}

TEST(EditBufferTest, EveryEditIsOneStepBackToTheOriginal)
{
    EditBuffer buffer(ramp());
    std::vector<Samples> sounds{current(buffer)};
    ASSERT_TRUE(buffer.cut({0, 2}, 10)); // 2..9
    sounds.push_back(current(buffer));
    ASSERT_TRUE(buffer.crop({0, 6}, 8)); // 2..7
    sounds.push_back(current(buffer));
    for (int step = 0; step < 8; ++step)
        (void)buffer.applyGainStep(+1, {0, 3}, 6);
    sounds.push_back(current(buffer));
    (void)buffer.spliceRecording({6, NoSelectionEnd}, Samples{-1, -2}, 6);
    sounds.push_back(current(buffer));
    buffer.replace(Samples{42}, {1, 4}, {0, 0});
    sounds.push_back(current(buffer));
    ASSERT_EQ(sounds[3], (Samples{3, 4, 6, 5, 6, 7})); // 2, 3, 4 raised by half, truncated
    ASSERT_EQ(sounds[4], (Samples{3, 4, 6, 5, 6, 7, -1, -2}));

    const Selection undone[] = {{1, 4}, {0, 0}, {0, 3}, {0, 6}, {0, 2}};
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(buffer.undo(), undone[k]) << k;
        EXPECT_EQ(current(buffer), sounds[4 - k]) << k;
    }
    EXPECT_FALSE(buffer.undo());
    EXPECT_EQ(current(buffer), ramp());
    for (std::size_t k = 1; k < sounds.size(); ++k) {
        ASSERT_TRUE(buffer.redo());
        EXPECT_EQ(current(buffer), sounds[k]) << k;
    }
    EXPECT_FALSE(buffer.redo());

    // A new edit after undoing gives the undone steps up.
    ASSERT_TRUE(buffer.undo());
    ASSERT_TRUE(buffer.undo());
    ASSERT_TRUE(buffer.cut({0, 1}, 8));
    EXPECT_FALSE(buffer.redoAvailable());
    EXPECT_EQ(current(buffer), (Samples{4, 6, 5, 6, 7}));
    EXPECT_EQ(buffer.undoDepth(), 4U);
}

TEST(EditBufferTest, HistoryBeyondItsBudgetKeepsTheNewestSteps)
{
    // Budget 50 bytes: the sounds before each one-sample cut are 20, 18, 16, 14 and 12 bytes;
    // the newest that fit are 16 + 14 + 12 = 42 bytes (18 more would make 60).
    EditBuffer buffer(ramp(), 50);
    for (int k = 0; k < 5; ++k) {
        ASSERT_TRUE(buffer.cut({0, 1}, 10 - k));
        EXPECT_LE(buffer.historyBytes(), 50U) << k;
    }
    EXPECT_EQ(buffer.undoDepth(), 3U);
    while (buffer.undo()) {
    }
    EXPECT_EQ(current(buffer), (Samples{2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(buffer.historyBytes(), 14U + 12U + 10U); // the sounds the three redos bring

    // A single change larger than the whole budget can still be taken back.
    EditBuffer tight(ramp(), 4);
    ASSERT_TRUE(tight.cut({0, 5}, 10));
    ASSERT_TRUE(tight.cut({0, 1}, 5));
    EXPECT_EQ(tight.undoDepth(), 1U);
    EXPECT_TRUE(tight.undo());
    EXPECT_EQ(current(tight), (Samples{5, 6, 7, 8, 9}));
    EXPECT_FALSE(tight.undo());
}

TEST(EditBufferTest, TheBudgetCountsOnlyTheStepsKept)
{
    // Undoing a recording that made the sound longer puts the history over its budget: the step
    // just undone stays redoable, the older one gives way.
    EditBuffer buffer(ramp(), 50);
    ASSERT_TRUE(buffer.cut({0, 1}, 10));
    (void)buffer.spliceRecording({0, NoSelectionEnd}, Samples(30, 7), 9);
    const Samples longer = current(buffer);
    ASSERT_TRUE(buffer.undo());
    ASSERT_TRUE(buffer.redo());
    EXPECT_EQ(current(buffer), longer);
    EXPECT_EQ(buffer.historyBytes(), 18U);

    // An edit after an undo gives the redo step's 18 bytes back: 20 + 18 fit in 40.
    EditBuffer again(ramp(), 40);
    ASSERT_TRUE(again.cut({0, 1}, 10));
    ASSERT_TRUE(again.undo());
    ASSERT_TRUE(again.cut({0, 1}, 10));
    ASSERT_TRUE(again.cut({0, 1}, 9));
    EXPECT_EQ(again.undoDepth(), 2U);
    EXPECT_EQ(again.historyBytes(), 38U);
}

} // namespace
} // namespace vorela
