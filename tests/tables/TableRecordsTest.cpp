// Stepping through the live records of a task table: 0 stands for the first one.
#include "tables/TableRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorela {
namespace {

TEST(TableRecordsTest, SteppingGoesFromLiveRecordToLiveRecord)
{
    // Records 2 and 5 are deleted.
    const std::vector<NumberedRecord> live = {{1, ""}, {3, ""}, {4, ""}, {6, ""}};
    struct Case {
        std::uint32_t current;
        int steps;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0, 1, 3},                                     // from "the first record" to the second one
        {0, 2, 4},  {0, -1, 0}, {1, 1, 3}, {3, -1, 0}, // back onto the first: "the first record"
        {6, 1, 6},  {6, -2, 3}, {0, 9, 6}, {4, -9, 0},
        {2, 1, 3},  {2, -1, 0}, {5, 1, 6}, {5, -1, 4}, // a deleted number stands between two
        {9, -1, 6},
    };
    for (const Case &c : cases)
        EXPECT_EQ(steppedRecord(live, c.current, c.steps), c.expected)
            << c.current << " by " << c.steps;
    EXPECT_EQ(steppedRecord({}, 0, 1), 0U);
}

} // namespace
} // namespace vorela
