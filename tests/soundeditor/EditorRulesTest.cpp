// Closing questions and save guards of the sound editor, and chunk ids of new lexemes.
#include "soundeditor/ChunkIds.h"
#include "soundeditor/EditorRules.h"

#include <gtest/gtest.h>

#include <set>
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

TEST(ChunkIdsTest, NewIdIsAboveTheWholeStoreAndFreeInTheBank)
{
    const auto none = [](const std::string &) { return false; };
    const std::vector<std::string> store{"0003", "#001", "@010", "PRIV", "0041", "+DLR", "12ab"};
    EXPECT_EQ(nextLexemeChunkId(store, none), "0042");
    EXPECT_EQ(nextLexemeChunkId({}, none), "0001");

    const std::set<std::string> bank{"0042", "0043"};
    const auto inBank = [&](const std::string &id) { return bank.contains(id); };
    EXPECT_EQ(nextLexemeChunkId(store, inBank), "0044");

    // Past 9999 the lowest free id is taken; a five-digit id would not fit the bank.
    const std::vector<std::string> full{"0001", "0002", "9999"};
    EXPECT_EQ(nextLexemeChunkId(full, none), "0003");
    EXPECT_EQ(numericChunkId("0041"), 41U);
    EXPECT_FALSE(numericChunkId("041"));
}

} // namespace
} // namespace vorela
