#include "speech/FieldBinding.h"

#include <gtest/gtest.h>

#include <string>

namespace vorela {

TEST(FieldBinding, ColumnRowsByTypeAndMode)
{
    struct Case {
        SqlType sqlType;
        int length;
        int decimals;
        const char *type;
        const char *lengthText;
        bool number, amount, table, date;
    };
    const Case cases[] = {
        {SqlType::Char, 12, 0, "Char", "12", true, false, true, false},
        {SqlType::Decimal, 10, 2, "Num", "10.2", true, true, false, false},
        {SqlType::Decimal, 8, 0, "Num", "8.0", true, true, false, false},
        {SqlType::Date, 8, 0, "Date", "8", false, false, false, true},
        {SqlType::Bit, 1, 0, "Log", "1", false, false, false, false},
    };
    for (const Case &c : cases) {
        const BindingMode modes[] = {BindingMode::Number, BindingMode::Amount,
                                     BindingMode::TableItem, BindingMode::Date};
        const bool expected[] = {c.number, c.amount, c.table, c.date};
        for (int m = 0; m < 4; ++m) {
            const std::optional<ColumnRow> row =
                columnRow({"F", c.sqlType, c.length, c.decimals}, modes[m]);
            ASSERT_TRUE(row) << c.type;
            EXPECT_EQ(row->typeText, c.type);
            EXPECT_EQ(row->lengthText, c.lengthText);
            EXPECT_EQ(row->choosable, expected[m]) << c.type << " mode " << m;
        }
    }
    EXPECT_FALSE(columnRow({"NOTE", SqlType::LongText, 10, 0}, BindingMode::Number)); // a memo
}

TEST(FieldBinding, StartFromStoredBinding)
{
    struct Case {
        BindingMode mode;
        const char *binding;
        bool noDatabase;
        bool constantMode;
        const char *first;
        const char *second;
    };
    const Case cases[] = {
        {BindingMode::Amount, "", false, true, "", ""},
        {BindingMode::Amount, "'125,50'", false, true, "125", "50"},
        {BindingMode::Amount, "'125.5'", false, true, "125", "5"},
        {BindingMode::Number, "'25'", false, true, "25", ""},
        {BindingMode::Amount, "SUMMA", false, false, "", ""},
        {BindingMode::Amount, "SUMMA", true, true, "", ""},
        {BindingMode::Amount, "'", false, false, "", ""}, // a lone apostrophe is no constant
        {BindingMode::Date, "'0000/12/25'", false, true, "25", "12"},
        {BindingMode::Date, "'2024-07-03'", false, true, "03", "07"},
        {BindingMode::Date, "'12/25'", false, true, "", ""},
        {BindingMode::Date, "DATA_OPL", false, false, "", ""},
    };
    for (const Case &c : cases) {
        const BindingStart start = bindingStart(c.mode, c.binding, c.noDatabase);
        EXPECT_EQ(start.constantMode, c.constantMode) << c.binding;
        EXPECT_EQ(start.first, c.first) << c.binding;
        EXPECT_EQ(start.second, c.second) << c.binding;
    }
}

TEST(FieldBinding, ConstantComposedAndAccepted)
{
    struct Case {
        BindingMode mode;
        const char *first;
        const char *second;
        const char *constant;
        bool acceptable;
    };
    const Case cases[] = {
        {BindingMode::Amount, "125", "50", "125,50", true},
        {BindingMode::Amount, "0", "0", "0,0", false},
        {BindingMode::Amount, "0", "5", "0,5", true},
        {BindingMode::Amount, "", "", ",", false},
        {BindingMode::Number, "25", "", "25", true},
        {BindingMode::Number, "abc", "", "abc", false},
        {BindingMode::Number, "12'5", "", "12'5", false},
        {BindingMode::Amount, "12", "5'", "12,5'", false},
        {BindingMode::TableItem, "7", "", "7", true},
        {BindingMode::Date, "3", "7", "0000/7/3", true},
        {BindingMode::Date, "03", "07", "0000/07/03", true},
        {BindingMode::Date, "31", "2", "0000/2/31", true},
        {BindingMode::Date, "32", "1", "0000/1/32", false},
        {BindingMode::Date, "1", "13", "0000/13/1", false},
        {BindingMode::Date, "0", "1", "0000/1/0", false},
        {BindingMode::Date, "", "5", "0000/5/", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(composeConstant(c.mode, c.first, c.second), c.constant);
        EXPECT_EQ(constantAcceptable(c.mode, c.first, c.second), c.acceptable)
            << c.first << "/" << c.second;
    }
}

} // namespace vorela
