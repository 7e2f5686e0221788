// The edit at fault is found by trying it beside a harmless other edit; a date's month is tried
// first, since whether a day exists depends on its month.
#include "speech/BindingConstant.h"

#include "platform/Clock.h"
#include "speech/SpeechComposer.h"
#include "speech/WrittenValue.h"
#include "tables/DbfTaskTableQuery.h"

#include <string>

namespace vorela {

namespace {

// The amount speech reads neither the clock nor a table; both are only there to build it.
bool amountSpoken(std::string_view text)
{
    const FixedClock clock{LocalDate{}, LocalTime{}};
    const DbfTaskTableQuery tables;
    SpeechComposer speech{clock, tables};
    speech.SpeakAmount(text, Currency::Hryvnia);
    return speech.keysValid;
}

bool amountAccepted(std::string_view units, std::string_view hundredths)
{
    const std::string constant = composeConstant(BindingMode::Amount, units, hundredths);
    return saidAsWritten(BindingMode::Amount, constant) && amountSpoken(constant);
}

bool dateAccepted(std::string_view day, std::string_view month)
{
    return saidAsWritten(BindingMode::Date, composeConstant(BindingMode::Date, day, month));
}

} // namespace

ConstantFault constantFault(BindingMode mode, std::string_view first, std::string_view second)
{
    switch (mode) {
    case BindingMode::Amount:
        if (!amountAccepted(first, "0"))
            return ConstantFault::First;
        return amountAccepted(first, second) ? ConstantFault::None : ConstantFault::Second;
    case BindingMode::Date:
        if (!dateAccepted("1", second))
            return ConstantFault::Second;
        return dateAccepted(first, second) ? ConstantFault::None : ConstantFault::First;
    case BindingMode::Number:
        return saidAsWritten(mode, first) ? ConstantFault::None : ConstantFault::First;
    case BindingMode::TableItem:
        break;
    }
    return ConstantFault::None;
}

} // namespace vorela
