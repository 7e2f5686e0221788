// Closing questions and save guards of the sound editor.
#include "soundeditor/EditorRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorela {
namespace {

TEST(EditorRulesTest, ClosingQuestion)
{
    struct Case {
        const char *what;
        EditorFlags flags;
        bool asks;
    };
    const Case cases[] = {
        {"new empty, nothing recorded", {.newEmpty = true, .audioStarted = true}, false},
        {"new empty, recorded", {.newEmpty = true, .audioStarted = true, .modified = true, .soundSize = 2}, true},
        {"nothing heard yet", {.modified = true, .soundSize = 2}, false},
        {"replace, listened only", {.audioStarted = true, .soundSize = 2}, false},
        {"replace, edited", {.audioStarted = true, .modified = true, .soundSize = 2}, true},
        {"replace cut to nothing", {.audioStarted = true, .modified = true}, true},
        {"replace from file, untouched", {.importPending = true, .audioStarted = true, .soundSize = 2}, true},
        {"new from file, unsaved", {.newFromFile = true, .audioStarted = true, .soundSize = 2}, true},
        {"new from file, saved", {.newFromFile = true, .audioStarted = true, .savedOnce = true, .soundSize = 2}, false},
        {"new from file cut to nothing", {.newFromFile = true, .audioStarted = true, .modified = true}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(closeNeedsQuestion(c.flags), c.asks) << c.what;
}

TEST(EditorRulesTest, EmptySounds)
{
    EXPECT_TRUE(saveSkipped({.newEmpty = true}));
    EXPECT_FALSE(saveSkipped({.newEmpty = true, .soundSize = 2}));
    EXPECT_TRUE(needsSilencePadding({}));
    EXPECT_FALSE(needsSilencePadding({.newFromFile = true}));
}

} // namespace
} // namespace vorela
