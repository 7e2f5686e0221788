// Which table values the speech says as written: the sign, letters, separators and calendar.
#include "speech/WrittenValue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorela {
namespace {

struct Written {
    BindingMode mode;
    std::string value;
    bool asWritten;
};

TEST(WrittenValue, ValuesTheSpeechWouldChangeAreFound)
{
    constexpr BindingMode Amount = BindingMode::Amount;
    constexpr BindingMode Date = BindingMode::Date;
    constexpr BindingMode Number = BindingMode::Number;
    const std::vector<Written> cases = {
        {Amount, "1234.56", true},
        {Amount, " 21,05 ", true},
        {Amount, "15,", true},
        {Amount, "-5", false},
        {Amount, "1x2", false},
        {Amount, "1.234,56", false},
        {Amount, ".5", false},
        {Amount, "12 руб.", false},
        {Amount, "1 234", false},
        {Date, "2024-02-29", true},
        {Date, "0000/02/29", true},
        {Date, "2008-07-03 00:00:00", true},
        {Date, "2024-02-30", false},
        {Date, "2023-02-29", false},
        {Date, "1900-02-29", false},
        {Date, "2024-04-31", false},
        {Date, "2024-07-00", false},
        {Date, "2024-13-01", false},
        {Date, "2024-07-03x", false},
        {Date, "2024-07-03 5", false},
        {Date, "03.07", false},
        {Date, "20240703", false},
        {Number, "(044) 123-45-67", true},
        {Number, "12/а", true},
        {Number, "-5", false},
        {Number, " - 5", false},
        {Number, "ЖЖ", false},
        {Number, "-", false},
        {BindingMode::TableItem, "-", true},
    };
    for (const Written &written : cases) {
        SCOPED_TRACE(written.value);
        EXPECT_EQ(saidAsWritten(written.mode, written.value), written.asWritten);
    }
}

} // namespace
} // namespace vorela
