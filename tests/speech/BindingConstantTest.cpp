// Which typed constants the template would speak as typed: the calendar, the amount's reading.
#include "speech/BindingConstant.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorela {
namespace {

struct Typed {
    std::string first;
    std::string second;
    ConstantFault fault;
};

void expectFaults(BindingMode mode, const std::vector<Typed> &cases)
{
    for (const Typed &typed : cases) {
        SCOPED_TRACE(typed.first + " | " + typed.second);
        EXPECT_EQ(constantFault(mode, typed.first, typed.second), typed.fault);
    }
}

constexpr ConstantFault None = ConstantFault::None;
constexpr ConstantFault First = ConstantFault::First;
constexpr ConstantFault Second = ConstantFault::Second;

TEST(BindingConstant, DayMustExistInItsMonth)
{
    expectFaults(
        BindingMode::Date,
        {
            {"31", "1", None},   {"28", "2", None},   {"29", "2", None},   {"30", "2", First},
            {"31", "3", None},   {"30", "4", None},   {"31", "4", First},  {"31", "5", None},
            {"31", "6", First},  {"31", "7", None},   {"31", "8", None},   {"31", "9", First},
            {"31", "10", None},  {"31", "11", First}, {"31", "12", None},  {"01", "01", None},
            {"0", "5", First},   {"5", "13", Second}, {"5", "", Second},   {"", "5", First},
            {"5\"", "5", First}, {"5.5", "5", First}, {"5", "5 ", Second}, {"3 5", "7", First},
        });
}

TEST(BindingConstant, AmountPartsMustBeReadWholeAsDigits)
{
    expectFaults(BindingMode::Amount,
                 {
                     {"125", "0", None},
                     {"0", "999", None},
                     {"0", "0999", None}, // 999 hundredths still have words
                     {"0", "1000", Second},
                     {"000000001", "", None},
                     {"0000000001", "", None},  // leading zeros change nothing heard
                     {"1000000000", "", First}, // billions have no words
                     {"1\"2", "", First},
                     {"1'2", "", First},
                     {"12", "5,0", Second},
                     {"12", "x", Second},
                     {"-5", "", First},
                     {"1,5", "", First},
                     {"", "5", First}, // heard as five roubles
                 });
}

} // namespace
} // namespace vorela
