// Tree decisions: images, menu masks, chunk ids, binding dialogs, drop acceptance.
#include "trees/TreeRules.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

TEST(TreeRulesTest, SourceImagesFollowKindAndChildFlag)
{
    struct Case {
        unsigned kind;
        int leaf, folder, expanded, collapsed;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0},   {2, 2, 3, 1, 3},     {3, 5, 6, 4, 6}, {4, 8, 9, 7, 9},
        {5, 13, 13, 0, 0}, {6, 11, 12, 10, 12}, {0, 0, 0, 0, 0}, {7, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(sourceItemImage(c.kind, false), c.leaf) << c.kind;
        EXPECT_EQ(sourceItemImage(c.kind, true), c.folder) << c.kind;
        EXPECT_EQ(sourceExpandedImage(c.kind), c.expanded) << c.kind;
        EXPECT_EQ(sourceCollapsedImage(c.kind), c.collapsed) << c.kind;
    }
    EXPECT_EQ(templateItemImage(2), 3);
    EXPECT_EQ(templateItemImage(3), 4);
    EXPECT_EQ(templateItemImage(4), 5);
    EXPECT_EQ(templateItemImage(6), 6);
    EXPECT_EQ(templateItemImage(5), 7);
    EXPECT_EQ(templateItemImage(std::nullopt), 2);
}

TEST(TreeRulesTest, StandardMasksEnableTheirMenuEntries)
{
    // Positions: 0 replace, 1 create lexeme, 3 folder, 4 rename, 5 delete, 7 table, 8 edit table.
    const auto enabled = [](unsigned mask) {
        std::string positions;
        for (int p = 0; p <= 10; ++p)
            positions += sourceMenuEnabled(mask, p) ? char('0' + p % 10) : '.';
        return positions;
    };
    EXPECT_EQ(enabled(LexemeMask), "0...45.....");
    EXPECT_EQ(enabled(FolderMask), ".1.345.....");
    EXPECT_EQ(enabled(LexemeTableMask), "....45..8..");
    EXPECT_EQ(enabled(TableFolderMask), ".1.345.7...");
    EXPECT_EQ(enabled(1), "0..........");
    EXPECT_FALSE(sourceMenuEnabled(0xFFFFFFFFU, 32));
    for (unsigned mask : {LexemeMask, FolderMask, LexemeTableMask, TableFolderMask})
        EXPECT_TRUE(labelEditAllowed(mask)) << mask;
    // Only the masks the editor writes: another stored mask with the rename bit stays as it was.
    for (unsigned mask : {0U, 1U, 50U, 305U, 16U, 187U})
        EXPECT_FALSE(labelEditAllowed(mask));
}

TEST(TreeRulesTest, FunctionNumberIsTheLastThreeCharacters)
{
    EXPECT_EQ(functionNumber("@010"), 10U);
    EXPECT_EQ(functionNumber("____"), 0U);
    EXPECT_EQ(functionNumber("#001"), 1U);
}

TEST(TreeRulesTest, BindingDialogByFunctionNumber)
{
    struct Case {
        const char *chunk;
        std::optional<BindingMode> mode;
        const char *unit;
    };
    const Case cases[] = {
        {"@000", BindingMode::Number, ""},
        {"@008", BindingMode::Number, ""},
        {"@011", BindingMode::Number, ""},
        {"@012", BindingMode::Number, ""},
        {"@007", BindingMode::Amount, "грн."},
        {"@009", BindingMode::Amount, "руб."},
        {"@010", BindingMode::Amount, "дол."},
        {"@013", BindingMode::Amount, "евро"},
        {"@003", BindingMode::Date, ""},
        {"@004", BindingMode::Date, ""},
        {"#001", BindingMode::TableItem, ""},
        {"@002", std::nullopt, ""},
        {"@005", std::nullopt, ""},
        {"#002", std::nullopt, ""},
        {"0042", std::nullopt, ""},
        {"____", std::nullopt, ""},
    };
    for (const Case &c : cases) {
        const std::optional<ItemBinding> choice = bindingChoice(c.chunk);
        ASSERT_EQ(choice.has_value(), c.mode.has_value()) << c.chunk;
        if (!choice)
            continue;
        EXPECT_EQ(choice->mode, *c.mode) << c.chunk;
        EXPECT_EQ(choice->unitLabel, c.unit) << c.chunk;
    }
    EXPECT_EQ(bindingChoice("@010")->subunitLabel, "цнт.");
}

TEST(TreeRulesTest, TaskMenuByDepthNeverOffersListenAndStopTogether)
{
    EXPECT_FALSE(taskMenuState(5, true).has_value());
    for (int depth : {1, 2}) {
        const TaskMenuState state = *taskMenuState(depth, true);
        EXPECT_FALSE(state.listen || state.stop || state.remove || state.clear || state.boundary ||
                     state.properties);
    }
    for (bool stopRequested : {true, false}) {
        const TaskMenuState operatorState = *taskMenuState(OperatorDepth, stopRequested);
        const TaskMenuState itemState = *taskMenuState(ItemDepth, stopRequested);
        EXPECT_NE(operatorState.listen, operatorState.stop);
        EXPECT_EQ(operatorState.listen, stopRequested);
        EXPECT_FALSE(operatorState.remove);
        EXPECT_EQ(itemState.remove, stopRequested);
        EXPECT_EQ(itemState.clear, stopRequested);
        EXPECT_TRUE(itemState.boundary && itemState.properties);
    }
    // The check by table reads only: offered on a task, an operator and an item, also while
    // something plays, never on the root.
    EXPECT_FALSE(taskMenuState(RootDepth, true)->checkTable);
    for (int depth : {TaskDepth, OperatorDepth, ItemDepth})
        EXPECT_TRUE(taskMenuState(depth, false)->checkTable) << depth;
}

TEST(TreeRulesTest, DropAcceptance)
{
    EXPECT_TRUE(sourceDropAccepted({false, false, OperatorDepth, false}));
    EXPECT_TRUE(sourceDropAccepted({false, false, ItemDepth, true}));
    EXPECT_TRUE(sourceDropAccepted({false, true, ItemDepth, false}));
    EXPECT_FALSE(sourceDropAccepted({false, true, ItemDepth, true}));
    EXPECT_FALSE(sourceDropAccepted({true, false, ItemDepth, false}));
    for (int depth : {0, RootDepth, TaskDepth, 5})
        EXPECT_FALSE(sourceDropAccepted({false, false, depth, false})) << depth;
    EXPECT_TRUE(moveDropAccepted(ItemDepth, MoveTarget::Sibling));
    EXPECT_TRUE(moveDropAccepted(ItemDepth, MoveTarget::OwnOperator));
    EXPECT_FALSE(moveDropAccepted(ItemDepth, MoveTarget::Elsewhere));
    EXPECT_FALSE(moveDropAccepted(OperatorDepth, MoveTarget::Sibling));
}

} // namespace
} // namespace vorela
