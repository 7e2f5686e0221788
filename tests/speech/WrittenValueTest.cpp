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
    WrittenFault fault;
};

TEST(WrittenValue, ValuesTheSpeechWouldChangeAreFound)
{
    constexpr BindingMode Amount = BindingMode::Amount;
    constexpr BindingMode Date = BindingMode::Date;
    constexpr BindingMode Number = BindingMode::Number;
    constexpr WrittenFault None = WrittenFault::None;
    constexpr WrittenFault First = WrittenFault::First;
    constexpr WrittenFault Second = WrittenFault::Second;
    const std::vector<Written> cases = {
        {Amount, "1234.56", None},    {Amount, " 21,05 ", None},
        {Amount, "15,", None},        {Amount, "-5", First},
        {Amount, "1x2", First},       {Amount, "1.234,56", Second},
        {Amount, ".5", First},        {Amount, "12 руб.", First},
        {Amount, "1 234", First},     {Date, "2024-02-29", None},
        {Date, "0000/02/29", None},   {Date, "2008-07-03 00:00", None},
        {Date, "2024-02-30", First},  {Date, "2023-02-29", First},
        {Date, "2024-04-31", First},  {Date, "2024-07-03x", First},
        {Date, "2024-13-01", Second}, {Date, "03.07", Second},
        {Date, "2024-07-00", First},  {Date, "20240703", Second},
        {Date, "1900-02-29", First},  {Number, "(044) 123-45-67", None},
        {Number, "12/а", None},       {Number, "-5", First},
        {Number, "ЖЖ", First},        {Number, "-", First},
        {Number, " - 5", First},      {BindingMode::TableItem, "-", None},
    };
    for (const Written &written : cases) {
        SCOPED_TRACE(written.value);
        EXPECT_EQ(writtenFault(written.mode, written.value), written.fault);
    }
}

} // namespace
} // namespace vorela
