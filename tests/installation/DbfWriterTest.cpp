// The demo's table writer, read back by the task-table reader the editor uses.
#include "installation/DbfWriter.h"

#include "support/TempDataDir.h"
#include "tables/DbfTaskTableQuery.h"

#include <gtest/gtest.h>

namespace vorela {

namespace {

TEST(DbfWriterTest, EditorReadsBackEveryColumnInCp866)
{
    test::TempDataDir dir;
    const std::filesystem::path file = dir.path() / "t.dbf";
    std::string error;
    ASSERT_TRUE(writeDbf(
        file,
        {{"PHONE", 'C', 12, 0}, {"SUMMA", 'N', 10, 2}, {"DATA", 'D', 8, 0}, {"RAYON", 'C', 12, 0}},
        {{"0442351742", "1234.56", "20260715", "Заречный"}, {"1", "2", "", "Ёлки"}}, error))
        << error;
    const DbfTaskTableQuery query;
    const struct {
        const char *binding;
        const char *text;
    } expected[] = {{"PHONE", "0442351742"},
                    {"SUMMA", "1234.56"},
                    {"DATA", "2026-07-15"},
                    {"rayon", "Заречный"},
                    {"'5'", "5"}};
    for (const auto &row : expected) {
        const TableValue value = query.value(file, row.binding);
        EXPECT_EQ(value.status, TableValue::Status::Found) << row.binding;
        EXPECT_EQ(value.text, row.text) << row.binding;
    }
    EXPECT_EQ(query.columns(file).columns.size(), 4u);
}

TEST(DbfWriterTest, ValueLongerThanItsFieldIsRefused)
{
    test::TempDataDir dir;
    std::string error;
    EXPECT_FALSE(writeDbf(dir.path() / "t.dbf", {{"FLAT", 'C', 3, 0}}, {{"1234"}}, error));
    EXPECT_NE(error.find("FLAT"), std::string::npos);
    EXPECT_EQ(utf8ToCp866("Аяё"), std::string("\x80\xEF\xF1", 3));
}

} // namespace

} // namespace vorela
