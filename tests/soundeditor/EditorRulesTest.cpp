// The sound editor's decisions from its state: enabled controls, closing questions and save
// guards.
#include "soundeditor/EditorRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorela {
namespace {

constexpr SoundEditorMode AllModes[] = {
    SoundEditorMode::Listen,          SoundEditorMode::ReplaceInPlayer,
    SoundEditorMode::CreateInPlayer,  SoundEditorMode::CreateFromFile,
    SoundEditorMode::ReplaceFromFile,
};

TEST(EditorRulesTest, EachModeIsKnownAgainFromItsInputs)
{
    for (const SoundEditorMode mode : AllModes)
        EXPECT_EQ(editorMode(editorModeInputs(mode, "Лексема", "Файл")), mode) << int(mode);
}

TEST(EditorRulesTest, WhilePlayingOrRecordingOnlyStopIsEnabled)
{
    // However much has been done to the sound, and in whichever mode.
    const SoundFacts sound{
        .soundSize = 16000, .undoAvailable = true, .redoAvailable = true, .zoomedIn = true};
    for (const SoundEditorMode mode : AllModes) {
        for (const EditorActivity activity : {EditorActivity::Playing, EditorActivity::Recording}) {
            const EditorState state{.mode = mode,
                                    .activity = activity,
                                    .hasSelection = true,
                                    .modified = true,
                                    .importPending = true,
                                    .audioStarted = true};
            const EditorControls expected{.stop = mode != SoundEditorMode::Listen};
            EXPECT_EQ(enabledControls(state, sound), expected) << int(mode);
        }
    }
}

TEST(EditorRulesTest, CompactWindowsEnableNothing)
{
    const SoundFacts sound{.soundSize = 16000, .undoAvailable = true};
    const EditorState listen{
        .mode = SoundEditorMode::Listen, .hasSelection = true, .modified = true};
    const EditorState greeting{.mode = SoundEditorMode::ReplaceFromFile,
                               .editable = false,
                               .importPending = true,
                               .audioStarted = true};
    EXPECT_EQ(enabledControls(listen, sound), EditorControls{});
    EXPECT_EQ(enabledControls(greeting, sound), EditorControls{});
}

TEST(EditorRulesTest, IdleControlsFollowTheSoundAndTheWork)
{
    using Mode = SoundEditorMode;
    struct Case {
        const char *what;
        EditorState state;
        SoundFacts sound;
        EditorControls enabled;
    };
    const SoundFacts oneSecond{.soundSize = 16000};
    const Case cases[] = {
        {"new, empty", {.mode = Mode::CreateInPlayer}, {}, {.record = true}},
        {"a selection on an empty sound",
         {.mode = Mode::CreateInPlayer, .hasSelection = true},
         {},
         {.record = true}},
        {"marker only",
         {},
         oneSecond,
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"selection",
         {.hasSelection = true},
         oneSecond,
         {.record = true,
          .play = true,
          .cut = true,
          .crop = true,
          .gainUp = true,
          .gainDown = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"gain at silence",
         {.hasSelection = true},
         {.soundSize = 16000, .gainAtMinimum = true},
         {.record = true,
          .play = true,
          .cut = true,
          .crop = true,
          .gainUp = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"gain at its top",
         {.hasSelection = true},
         {.soundSize = 16000, .gainAtMaximum = true},
         {.record = true,
          .play = true,
          .cut = true,
          .crop = true,
          .gainDown = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"edited",
         {.modified = true},
         {.soundSize = 16000, .undoAvailable = true},
         {.record = true,
          .play = true,
          .undo = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .save = true,
          .selectAll = true}},
        {"cut to nothing",
         {.modified = true},
         {.undoAvailable = true},
         {.record = true, .undo = true, .save = true}},
        {"replaced, heard",
         {.audioStarted = true},
         oneSecond,
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"import not heard yet",
         {.mode = Mode::ReplaceFromFile, .importPending = true},
         oneSecond,
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"import heard",
         {.mode = Mode::ReplaceFromFile, .importPending = true, .audioStarted = true},
         oneSecond,
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .save = true,
          .selectAll = true}},
        {"import saved",
         {.mode = Mode::ReplaceFromFile, .savedOnce = true, .audioStarted = true},
         oneSecond,
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"new from file, heard",
         {.mode = Mode::CreateFromFile, .audioStarted = true},
         oneSecond,
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .save = true,
          .selectAll = true}},
        {"new from file, saved",
         {.mode = Mode::CreateFromFile, .savedOnce = true, .audioStarted = true},
         oneSecond,
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .selectAll = true}},
        {"undone, redo left",
         {.modified = true},
         {.soundSize = 16000, .redoAvailable = true},
         {.record = true,
          .play = true,
          .redo = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .save = true,
          .selectAll = true}},
        {"zoomed in",
         {},
         {.soundSize = 16000, .zoomedIn = true},
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomIn = true,
          .zoomOut = true,
          .selectAll = true}},
        {"zoomed in as far as it goes",
         {},
         {.soundSize = 16000, .zoomedIn = true, .zoomAtMaximum = true},
         {.record = true,
          .play = true,
          .trimSilence = true,
          .levelLoudness = true,
          .zoomOut = true,
          .selectAll = true}},
        {"zoomed in, then cut to nothing",
         {.modified = true},
         {.undoAvailable = true, .zoomedIn = true},
         {.record = true, .undo = true, .zoomOut = true, .save = true}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(enabledControls(c.state, c.sound), c.enabled) << c.what;
}

TEST(EditorRulesTest, ClosingQuestion)
{
    using Mode = SoundEditorMode;
    struct Case {
        const char *what;
        EditorState state;
        std::uint32_t soundSize;
        bool asks;
    };
    const Case cases[] = {
        {"new empty, nothing recorded",
         {.mode = Mode::CreateInPlayer, .audioStarted = true},
         0,
         false},
        {"new empty, recorded",
         {.mode = Mode::CreateInPlayer, .modified = true, .audioStarted = true},
         2,
         true},
        {"nothing heard yet", {.modified = true}, 2, false},
        {"replace, listened only", {.audioStarted = true}, 2, false},
        {"replace, edited", {.modified = true, .audioStarted = true}, 2, true},
        {"replace cut to nothing", {.modified = true, .audioStarted = true}, 0, true},
        {"replace from file, untouched",
         {.mode = Mode::ReplaceFromFile, .importPending = true, .audioStarted = true},
         2,
         true},
        {"replace from file, saved",
         {.mode = Mode::ReplaceFromFile, .savedOnce = true, .audioStarted = true},
         2,
         false},
        {"new from file, unsaved", {.mode = Mode::CreateFromFile, .audioStarted = true}, 2, true},
        {"new from file, saved",
         {.mode = Mode::CreateFromFile, .savedOnce = true, .audioStarted = true},
         2,
         false},
        {"new from file cut to nothing",
         {.mode = Mode::CreateFromFile, .modified = true, .audioStarted = true},
         0,
         false},
        {"never recorded, recording undone",
         {.modified = true, .audioStarted = true, .soundMissing = true},
         0,
         false},
        {"never recorded, recorded",
         {.modified = true, .audioStarted = true, .soundMissing = true},
         2,
         true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(closeNeedsQuestion(c.state, {.soundSize = c.soundSize}), c.asks) << c.what;
}

TEST(EditorRulesTest, EmptySounds)
{
    const EditorState created{.mode = SoundEditorMode::CreateInPlayer};
    EXPECT_TRUE(saveSkipped(created, {}));
    EXPECT_FALSE(saveSkipped(created, {.soundSize = 2}));
    EXPECT_TRUE(needsSilencePadding({}, {}));
    EXPECT_FALSE(needsSilencePadding({.mode = SoundEditorMode::CreateFromFile}, {}));

    // A lexeme that never had a sound gets none made up; once saved, it is a replaced lexeme.
    const EditorState neverRecorded{.modified = true, .soundMissing = true};
    EXPECT_TRUE(saveSkipped(neverRecorded, {}));
    EXPECT_FALSE(needsSilencePadding(neverRecorded, {}));
    EXPECT_TRUE(needsSilencePadding({.modified = true, .savedOnce = true}, {}));
}

} // namespace
} // namespace vorela
