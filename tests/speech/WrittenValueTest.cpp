// Which table values the speech says as written: the sign, letters, separators and calendar.
#include "speech/WrittenValue.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorela {

TEST(WrittenValue, ValuesTheSpeechWouldChangeAreFound)
{
    const struct {
        BindingMode mode;
        bool asWritten;
        std::vector<const char *> values;
    } cases[] = {
        {BindingMode::Amount, true, {"1234.56", " 21,05 ", "15,"}},
        {BindingMode::Amount, false, {"-5", "1x2", "1.234,56", ".5", "12 руб.", "1 234"}},
        {BindingMode::Date, true, {"2024-02-29", "0000/02/29", "2008-07-03 00:00:00"}},
        {BindingMode::Date,
         false,
         {"2024-02-30", "2023-02-29", "1900-02-29", "2024-04-31", "2024-07-00", "2024-13-01",
          "2024-07-03x", "2024-07-03 5", "03.07", "20240703"}},
        {BindingMode::Number, true, {"(044) 123-45-67", "12/а"}},
        {BindingMode::Number, false, {"-5", " - 5", "ЖЖ", "-"}},
        {BindingMode::TableItem, true, {"-"}},
    };
    for (const auto &[mode, asWritten, values] : cases) {
        for (const char *value : values)
            EXPECT_EQ(saidAsWritten(mode, value), asWritten) << value;
    }
}

} // namespace vorela
