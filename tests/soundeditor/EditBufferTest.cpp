// Cut, crop, gain, recording splice and the single undo/redo swap on small hand-made sounds.
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

    EXPECT_EQ(buffer.undoRedo(), (Selection{2, 5}));
    EXPECT_EQ(current(buffer), ramp());
    EXPECT_FALSE(buffer.undoShowsUndo());
    EXPECT_EQ(buffer.undoRedo(), (Selection{2, 2}));
    EXPECT_EQ(current(buffer), (Samples{0, 1, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(buffer.undoShowsUndo());
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
    (void)buffer.undoRedo();
    EXPECT_EQ(current(buffer), ramp());

    EXPECT_EQ(buffer.crop({5, 2}, 10), (Selection{0, 0}));
    EXPECT_EQ(current(buffer), (Samples{2, 3, 4}));
    EXPECT_EQ(buffer.undoRedo(), (Selection{5, 2}));
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

TEST(EditBufferTest, UndoOfGainCannotBeRedone)
{
    EditBuffer buffer(Samples{100, 200});
    (void)buffer.applyGainStep(+1, {0, 2}, 2);
    (void)buffer.applyGainStep(+1, {0, 2}, 2);
    EXPECT_EQ(buffer.undoRedo(), (Selection{0, 2}));
    EXPECT_EQ(current(buffer), (Samples{100, 200}));
    EXPECT_FALSE(buffer.undoAvailable());
    EXPECT_FALSE(buffer.gainOpen());
    // The next step opens a new adjustment from 0.
    (void)buffer.applyGainStep(+1, {0, 2}, 2);
    EXPECT_EQ(buffer.gainSteps(), 1);
    EXPECT_EQ(current(buffer), (Samples{106, 212}));
}

TEST(EditBufferTest, RecordingIntoEmptySound)
{
    EditBuffer buffer;
    buffer.beginRecording();
    const Samples recorded{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(buffer.spliceRecording({0, NoSelectionEnd}, recorded, 320), (Selection{320, 0}));
    EXPECT_EQ(current(buffer), recorded);
    EXPECT_EQ(buffer.undoRedo(), (Selection{0, 0}));
    EXPECT_EQ(buffer.soundSize(), 0U);
}

TEST(EditBufferTest, RecordingReplacesSelectionOrInsertsAtMarker)
{
    const Samples recorded{100, 101, 102, 103};
    for (const Selection at : {Selection{2, 5}, Selection{5, 2}}) {
        EditBuffer buffer(ramp());
        buffer.beginRecording();
        // left = round(2 * 20 / 22) = 2, right = (8 + 4) * 10 / 22 = 5
        EXPECT_EQ(buffer.spliceRecording(at, recorded, 10), (Selection{5, 2}));
        EXPECT_EQ(current(buffer), (Samples{0, 1, 100, 101, 102, 103, 5, 6, 7, 8, 9}));
        EXPECT_EQ(buffer.undoRedo(), at);
        EXPECT_EQ(current(buffer), ramp());
    }
    EditBuffer buffer(ramp());
    buffer.beginRecording();
    (void)buffer.spliceRecording({3, NoSelectionEnd}, recorded, 10);
    EXPECT_EQ(current(buffer), (Samples{0, 1, 2, 100, 101, 102, 103, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(buffer.undoRedo(), (Selection{0, 0}));
}

TEST(EditBufferTest, DropUndoAfterSave)
{
    EditBuffer buffer(ramp());
    (void)buffer.cut({0, 1}, 10);
    buffer.dropUndo();
    EXPECT_FALSE(buffer.undoAvailable());
    EXPECT_TRUE(buffer.undoShowsUndo());
    EXPECT_EQ(buffer.undoSize(), 0U);
}

} // namespace
} // namespace vorela
