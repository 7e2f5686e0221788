// The record cursor walks every live record once, numbering them as the file does, across the
// blocks it reads, and stops cleanly when the file turns out shorter than its header.
#include "tables/DbfRecordCursor.h"

#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"
#include "tables/DbfTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vorela {
namespace {

using test::DbfBuilder;

struct Visit {
    std::uint32_t number;
    std::string name;
    bool operator==(const Visit &) const = default;
};

std::vector<Visit> walk(const DbfTable &table, std::string &error)
{
    std::vector<Visit> visits;
    DbfRecordCursor cursor(table);
    while (cursor.next(error))
        visits.push_back(
            {cursor.number(), table.fieldText(table.fields().front(), cursor.record())});
    return visits;
}

TEST(DbfRecordCursor, NumbersLiveRecordsAsTheFileDoesAcrossBlocks)
{
    test::TempDataDir dir;
    // 250-byte records: a 64 KiB block holds 262 of them, so 600 records take three blocks.
    DbfBuilder builder({{"NAME", 'C', 9}, {"PAD", 'C', 240}});
    std::vector<Visit> expected;
    for (std::uint32_t number = 1; number <= 600; ++number) {
        // Deleted records at the start, at both block edges and at the end.
        const bool deleted = number <= 2 || number == 262 || number == 263 || number == 524 ||
                             number == 600 || number % 7 == 0;
        builder.record({"R" + std::to_string(number)}, deleted);
        if (!deleted)
            expected.push_back({number, "R" + std::to_string(number)});
    }
    builder.write(dir.path() / "long.dbf");
    std::string error;
    const std::optional<DbfTable> table = DbfTable::open(dir.path() / "long.dbf", error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(walk(*table, error), expected);
    EXPECT_EQ(error, "");
}

TEST(DbfRecordCursor, TablesWithoutLiveRecordsYieldNothing)
{
    test::TempDataDir dir;
    DbfBuilder({{"NAME", 'C', 5}}).write(dir.path() / "empty.dbf");
    DbfBuilder({{"NAME", 'C', 5}})
        .record({"a"}, true)
        .record({"b"}, true)
        .write(dir.path() / "gone.dbf");
    for (const char *name : {"empty.dbf", "gone.dbf"}) {
        std::string error;
        const std::optional<DbfTable> table = DbfTable::open(dir.path() / name, error);
        ASSERT_TRUE(table) << error;
        EXPECT_TRUE(walk(*table, error).empty()) << name;
        EXPECT_EQ(error, "") << name;
    }
}

TEST(DbfRecordCursor, AFileCutShortAfterOpeningFailsWithItsName)
{
    test::TempDataDir dir;
    const std::filesystem::path file = dir.path() / "cut.dbf";
    DbfBuilder builder({{"NAME", 'C', 9}, {"PAD", 'C', 240}});
    for (int number = 1; number <= 300; ++number)
        builder.record({"R" + std::to_string(number)});
    builder.write(file);
    std::string error;
    const std::optional<DbfTable> table = DbfTable::open(file, error);
    ASSERT_TRUE(table) << error;
    // Another program truncates the table while it is being read: the second block is missing.
    std::filesystem::resize_file(file, builder.headerLength() + 270 * 250);
    const std::vector<Visit> visits = walk(*table, error);
    EXPECT_EQ(visits.size(), 262U);
    EXPECT_EQ(error, file.string() + ": cannot read record 263 (the file is shorter than its "
                                     "header says)");
}

} // namespace
} // namespace vorela
