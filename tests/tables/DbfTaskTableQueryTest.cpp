// Task tables built byte by byte: columns, values of the first live record, bindings, code pages,
// Visual FoxPro layout, and damaged files that must fail with a reason.
#include "tables/DbfTaskTableQuery.h"

#include "platform/CodePage.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vorela {
namespace {

using test::DbfBuilder;
using test::DbfFieldLayout;

const std::vector<DbfFieldLayout> SubscriberFields = {{"NAME", 'C', 12},
                                                      {"SUMMA", 'N', 10, 2},
                                                      {"DOLG_DATE", 'D', 8},
                                                      {"PAID", 'L', 1},
                                                      {"HOUSE", 'C', 6}};

// "Иванов" and "12а" as DOS code page 866 bytes.
const std::string IvanovCp866 = "\x88\xA2\xA0\xAD\xAE\xA2";
const std::string HouseCp866 = "12\xA0";

class DbfTaskTableQueryTest : public ::testing::Test {
protected:
    std::filesystem::path file(const std::string &name) const { return dir.path() / name; }

    test::TempDataDir dir;
    DbfTaskTableQuery query;
};

TEST_F(DbfTaskTableQueryTest, ListsColumnsWithTypesLengthsAndDecimals)
{
    DbfBuilder(SubscriberFields).record({"x"}).write(file("t.dbf"));
    const TableColumns result = query.columns(file("t.dbf"));
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.columns.size(), 5u);
    const std::vector<std::tuple<std::string, SqlType, int, int>> expected = {
        {"NAME", SqlType::Char, 12, 0},
        {"SUMMA", SqlType::Decimal, 10, 2},
        {"DOLG_DATE", SqlType::Date, 8, 0},
        {"PAID", SqlType::Bit, 1, 0},
        {"HOUSE", SqlType::Char, 6, 0}};
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const TableColumn &column = result.columns[index];
        EXPECT_EQ(std::tie(column.name, column.sqlType, column.length, column.decimals),
                  expected[index]);
    }
}

TEST_F(DbfTaskTableQueryTest, ReadsTheFirstLiveRecordDecodedAndFormatted)
{
    DbfBuilder(SubscriberFields)
        .record({"Deleted", "99.99", "20010101", "T", "1"}, /*deleted=*/true)
        .record({IvanovCp866, "  1234.5", "20080703", "F", HouseCp866})
        .record({"Later", "1.00", "20090101", "T", "2"})
        .write(file("t.dbf"));
    const std::vector<std::pair<std::string, std::string>> cases = {{"NAME", "Иванов"},
                                                                    {"name", "Иванов"},
                                                                    {" Name ", "Иванов"},
                                                                    {"SUMMA", "1234.50"},
                                                                    {"DOLG_DATE", "2008-07-03"},
                                                                    {"PAID", "0"},
                                                                    {"HOUSE", "12а"},
                                                                    {"*", "Иванов"},
                                                                    {"'125,50'", "125,50"},
                                                                    {"'it''s'", "it's"},
                                                                    {"''", ""}};
    for (const auto &[binding, text] : cases) {
        const TableValue value = query.value(file("t.dbf"), binding);
        EXPECT_EQ(value.status, TableValue::Status::Found) << binding << ": " << value.error;
        EXPECT_EQ(value.text, text) << binding;
    }
}

TEST_F(DbfTaskTableQueryTest, NumbersReadWithTheirDeclaredDecimals)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"12.5", "12.50"}, {"12", "12.00"},    {".5", "0.50"},     {"-.5", "-0.50"},
        {"-3", "-3.00"},   {"7.125", "7.125"}, {"*****", "*****"}, {"-", "-"}};
    for (const auto &[stored, text] : cases) {
        DbfBuilder({{"SUMMA", 'N', 8, 2}}).record({stored}).write(file("t.dbf"));
        EXPECT_EQ(query.value(file("t.dbf"), "SUMMA").text, text) << stored;
    }
    DbfBuilder({{"COUNT", 'N', 6}}).record({"  42"}).write(file("t.dbf"));
    EXPECT_EQ(query.value(file("t.dbf"), "COUNT").text, "42");
}

TEST_F(DbfTaskTableQueryTest, BlankFieldsReadEmpty)
{
    DbfBuilder(SubscriberFields).record({"", "", "", "?", ""}).write(file("t.dbf"));
    for (const char *binding : {"NAME", "SUMMA", "DOLG_DATE", "PAID", "HOUSE"}) {
        const TableValue value = query.value(file("t.dbf"), binding);
        EXPECT_EQ(value.status, TableValue::Status::Found) << binding;
        EXPECT_EQ(value.text, "") << binding;
    }
}

// Some writers pad with NULs instead of blanks; written byte by byte, as such a table holds them.
TEST_F(DbfTaskTableQueryTest, NulPaddingReadsAsBlanks)
{
    const auto nuls = [](std::string stored, std::size_t length) {
        stored.resize(length, '\0');
        return stored;
    };
    DbfBuilder(SubscriberFields)
        .record(
            {nuls(IvanovCp866, 12), nuls("", 10), nuls("", 8), nuls("", 1), nuls(HouseCp866, 6)})
        .write(file("t.dbf"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"NAME", "Иванов"}, {"SUMMA", ""}, {"DOLG_DATE", ""}, {"PAID", ""}, {"HOUSE", "12а"}};
    for (const auto &[binding, text] : cases) {
        const TableValue value = query.value(file("t.dbf"), binding);
        EXPECT_EQ(value.status, TableValue::Status::Found) << binding;
        EXPECT_EQ(value.text, text) << binding;
    }
    DbfBuilder({{"SUMMA", 'N', 8, 2}}).record({nuls("12.5", 8)}).write(file("n.dbf"));
    EXPECT_EQ(query.value(file("n.dbf"), "SUMMA").text, "12.50");
}

TEST_F(DbfTaskTableQueryTest, CyrillicColumnNamesMatchInEitherCase)
{
    DbfBuilder({{utf8ToCp1251("ДОЛГ"), 'C', 4}, {utf8ToCp1251("ЁЛКА"), 'C', 4}}, 0x03, 0xC9)
        .record({"1", "2"})
        .write(file("t.dbf"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ДОЛГ", "1"}, {"долг", "1"}, {"ДоЛг", "1"}, {"ёлка", "2"}, {"Ёлка", "2"}, {"елка", ""}};
    for (const auto &[binding, text] : cases)
        EXPECT_EQ(query.value(file("t.dbf"), binding).text, text) << binding;
}

TEST_F(DbfTaskTableQueryTest, BindingsThatAreNotANameStarOrConstantReadNothing)
{
    DbfBuilder(SubscriberFields).record({"Ivanov"}).write(file("t.dbf"));
    for (const char *binding : {"NAME FROM other.dbf", "NAME,SUMMA", "1+1", "'a'b'", "'open",
                                "NAME; DROP", "", "MISSING", "\"NAME\""}) {
        const TableValue value = query.value(file("t.dbf"), binding);
        EXPECT_EQ(value.status, TableValue::Status::NoSuchColumn) << binding;
        EXPECT_EQ(value.text, "") << binding;
    }
}

TEST_F(DbfTaskTableQueryTest, TablesWithoutLiveRecordsYieldNoRowEvenForConstants)
{
    DbfBuilder(SubscriberFields).write(file("empty.dbf"));
    DbfBuilder(SubscriberFields).record({"Gone"}, /*deleted=*/true).write(file("gone.dbf"));
    for (const char *name : {"empty.dbf", "gone.dbf"}) {
        EXPECT_TRUE(query.columns(file(name)).ok());
        for (const char *binding : {"NAME", "'125,50'", "*"}) {
            const TableValue value = query.value(file(name), binding);
            EXPECT_EQ(value.status, TableValue::Status::NoRecord) << name << " " << binding;
            EXPECT_EQ(value.text, "");
        }
    }
}

TEST_F(DbfTaskTableQueryTest, LanguageDriverChoosesTheCodePage)
{
    const std::string petrov1251 = utf8ToCp1251("Петров");
    const std::vector<std::tuple<std::uint8_t, std::string, std::string>> cases = {
        {0xC9, petrov1251, "Петров"},
        {0x65, IvanovCp866, "Иванов"},
        {0x26, IvanovCp866, "Иванов"},
        {0x00, IvanovCp866, "Иванов"},
        {0x57, IvanovCp866, "Иванов"}};
    for (const auto &[driver, stored, text] : cases) {
        DbfBuilder({{"NAME", 'C', 10}}, 0x03, driver).record({stored}).write(file("t.dbf"));
        EXPECT_EQ(query.value(file("t.dbf"), "NAME").text, text) << int(driver);
    }
}

TEST_F(DbfTaskTableQueryTest, VisualFoxProIntegersNullsAndHiddenFlags)
{
    const std::vector<DbfFieldLayout> fields = {{"ID", 'I', 4},
                                                {"NAME", 'C', 8, 0, 0x02},
                                                {"NOTE", 'M', 4},
                                                {"AMOUNT", 'N', 8, 2, 0x02},
                                                {"_NullFlags", '0', 1, 0, 0x05}};
    std::string minusTwo = "\xFE\xFF\xFF\xFF";
    // Null bits: NAME is bit 0, AMOUNT bit 1; here only NAME is null.
    DbfBuilder(fields, 0x30, 0xC9)
        .record({minusTwo, "Ignored", "0000", "7.25", "\x01"})
        .write(file("vfp.dbf"));
    const TableColumns columns = query.columns(file("vfp.dbf"));
    ASSERT_TRUE(columns.ok()) << columns.error;
    ASSERT_EQ(columns.columns.size(), 4u); // the null flags stay hidden
    EXPECT_EQ(columns.columns[0].sqlType, SqlType::Decimal);
    EXPECT_EQ(columns.columns[2].sqlType, SqlType::LongText);
    EXPECT_FALSE(columns.columns[2].usable());
    EXPECT_EQ(query.value(file("vfp.dbf"), "ID").text, "-2");
    EXPECT_EQ(query.value(file("vfp.dbf"), "NAME").text, "");
    EXPECT_EQ(query.value(file("vfp.dbf"), "NOTE").text, "");
    EXPECT_EQ(query.value(file("vfp.dbf"), "AMOUNT").text, "7.25");
}

// Each varying-length column takes a bit of the null flags, and a nullable one its null bit
// right after it; nullable fixed columns take one bit. Bits count from bit 0 of the first byte.
TEST_F(DbfTaskTableQueryTest, VisualFoxProNullBitsCountVaryingLengthColumns)
{
    const std::vector<DbfFieldLayout> fields = {{"V1", 'V', 4, 0, 0x02},     // bits 0, 1
                                                {"V2", 'V', 4, 0, 0x02},     // bits 2, 3
                                                {"NAME", 'C', 8, 0, 0x02},   // bit 4
                                                {"Q1", 'Q', 4},              // bit 5
                                                {"V3", 'V', 4},              // bit 6
                                                {"ID", 'I', 4},              // none
                                                {"Q2", 'Q', 4},              // bit 7
                                                {"AMOUNT", 'N', 8, 2, 0x02}, // bit 8
                                                {"_NullFlags", '0', 2, 0, 0x05}};
    const std::string id("\x07\0\0\0", 4);
    const std::string varying("ab\0\x02", 4);
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {std::string("\0\0", 2), "Petrov", "7.25"},
        {std::string("\x10\0", 2), "", "7.25"},
        {std::string("\0\x01", 2), "Petrov", ""},
        {std::string("\xEF\0", 2), "Petrov", "7.25"},
        {std::string("\xEF\xFE", 2), "Petrov", "7.25"},
        {std::string("\xFF\xFF", 2), "", ""},
    };
    for (const auto &[flags, name, amount] : cases) {
        DbfBuilder(fields, 0x30, 0xC9)
            .record({varying, varying, "Petrov", varying, varying, id, varying, "7.25", flags})
            .write(file("vfp.dbf"));
        const std::string bits =
            std::to_string(std::uint8_t(flags[0])) + "," + std::to_string(std::uint8_t(flags[1]));
        EXPECT_EQ(query.value(file("vfp.dbf"), "NAME").text, name) << bits;
        EXPECT_EQ(query.value(file("vfp.dbf"), "AMOUNT").text, amount) << bits;
    }
}

TEST_F(DbfTaskTableQueryTest, MissingFilesAndDirectoriesFailWithTheirName)
{
    const TableValue missing = query.value(file("none.dbf"), "NAME");
    EXPECT_EQ(missing.status, TableValue::Status::Failed);
    EXPECT_NE(missing.error.find("none.dbf"), std::string::npos);
    EXPECT_FALSE(query.columns(dir.path()).ok());
}

TEST_F(DbfTaskTableQueryTest, EveryTruncationFailsCleanly)
{
    const std::string whole = DbfBuilder(SubscriberFields)
                                  .record({"Deleted"}, /*deleted=*/true)
                                  .record({"Ivanov", "1.00", "20080703", "T", "1"})
                                  .bytes(/*endMark=*/false);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        DbfBuilder::writeBytes(file("cut.dbf"), whole.substr(0, length));
        EXPECT_FALSE(query.columns(file("cut.dbf")).ok()) << length;
        const TableValue value = query.value(file("cut.dbf"), "NAME");
        EXPECT_EQ(value.status, TableValue::Status::Failed) << length;
        EXPECT_FALSE(value.error.empty()) << length;
    }
}

TEST_F(DbfTaskTableQueryTest, LyingHeadersFailWithAReason)
{
    DbfBuilder builder({{"NAME", 'C', 10}, {"SUMMA", 'N', 8, 2}});
    builder.record({"Ivanov", "1.00"});
    const std::string good = builder.bytes();
    struct Damage {
        const char *what;
        std::size_t at;
        std::string bytes;
        const char *reason;
    };
    const std::vector<Damage> damages = {
        {"version", 0, "\x02", "not a DBF table"},
        {"record count", 4, std::string("\xFF\xFF\xFF\xFF", 4), "promises 4294967295 records"},
        {"record count by one", 4, std::string("\x02\0\0\0", 4), "promises 2 records"},
        {"header length beyond file", 8, std::string("\xFF\xFF", 2), "header length 65535"},
        {"header length too small", 8, std::string("\x10\0", 2), "header length 16"},
        {"header cuts descriptors", 8, std::string("\x30\0", 2), "runs past the header"},
        {"record length zero", 10, std::string("\0\0", 2), "record length 0"},
        {"record shorter than fields", 10, std::string("\x05\0", 2), "more than the record"},
        {"field length zero", 32 + 16, std::string("\0", 1), "no name or no length"},
        {"no end mark", 8, std::string("\x60\0", 2), "no end mark"},
    };
    for (const Damage &damage : damages) {
        std::string bytes = good;
        bytes.replace(damage.at, damage.bytes.size(), damage.bytes);
        DbfBuilder::writeBytes(file("bad.dbf"), bytes);
        const TableValue value = query.value(file("bad.dbf"), "NAME");
        EXPECT_EQ(value.status, TableValue::Status::Failed) << damage.what;
        EXPECT_NE(value.error.find(damage.reason), std::string::npos)
            << damage.what << ": " << value.error;
    }
}

TEST_F(DbfTaskTableQueryTest, ColumnsOfTheWrongWidthAreListedButUnusable)
{
    DbfBuilder({{"D", 'D', 6}, {"N", 'N', 4, 4}, {"L", 'L', 2}})
        .record({"200807", "1234", "T "})
        .write(file("t.dbf"));
    const TableColumns result = query.columns(file("t.dbf"));
    ASSERT_TRUE(result.ok()) << result.error;
    for (const TableColumn &column : result.columns) {
        EXPECT_FALSE(column.usable()) << column.name;
        EXPECT_EQ(query.value(file("t.dbf"), column.name).text, "") << column.name;
    }
}

TEST(TablePath, ResolvesExistingFilesToAbsolutePaths)
{
    test::TempDataDir dir;
    DbfBuilder({{"NAME", 'C', 4}}).write(dir.path() / "a.dbf");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::optional<std::filesystem::path> relative = resolveTablePath("./sub/../a.dbf");
    std::filesystem::current_path(previous);
    EXPECT_FALSE(relative) << "a missing folder on the way is no path";
    const std::optional<std::filesystem::path> direct = resolveTablePath(dir.path() / "a.dbf");
    ASSERT_TRUE(direct);
    EXPECT_TRUE(direct->is_absolute());
    EXPECT_FALSE(resolveTablePath(dir.path() / "b.dbf"));
    EXPECT_FALSE(resolveTablePath(dir.path()));
    EXPECT_FALSE(resolveTablePath(""));
}

} // namespace
} // namespace vorela
