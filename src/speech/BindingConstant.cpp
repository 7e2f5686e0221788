#include "speech/BindingConstant.h"

#include "platform/Clock.h"
#include "platform/DbfTaskTableQuery.h"
#include "speech/SpeechComposer.h"

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

} // namespace

WrittenFault constantFault(BindingMode mode, std::string_view first, std::string_view second)
{
    const std::string constant = composeConstant(mode, first, second);
    if (const WrittenFault fault = writtenFault(mode, constant); fault != WrittenFault::None)
        return fault;
    if (mode != BindingMode::Amount || amountSpoken(constant))
        return WrittenFault::None;
    // Written as it should be, yet refused: the whole part or the fraction is too long to say.
    return amountSpoken(first) ? WrittenFault::Second : WrittenFault::First;
}

} // namespace vorela
