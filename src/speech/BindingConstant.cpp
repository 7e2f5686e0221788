#include "speech/BindingConstant.h"

#include "platform/Clock.h"
#include "platform/DbfTaskTableQuery.h"
#include "platform/TextParsing.h"
#include "speech/SpeechComposer.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vorela {

namespace {

// The amount and date speech read neither the clock nor a table; both are only there to build
// the composer.
class ConstantReader {
public:
    SpeechComposer &fresh()
    {
        speech.keySequence.clear();
        speech.keysValid = true;
        return speech;
    }

private:
    FixedClock clock{LocalDate{}, LocalTime{}};
    DbfTaskTableQuery tables;
    SpeechComposer speech{clock, tables};
};

bool plainDigits(std::string_view text)
{
    return !text.empty() && SpeechComposer::DigitsOnly(text) == text;
}

bool saysSomething(const SpeechComposer &speech)
{
    return speech.keysValid && !speech.keySequence.empty();
}

ConstantFault amountFault(std::string_view units, std::string_view hundredths)
{
    // Read the way the amount speech reads it: dropped characters, an empty whole part or a
    // separator inside a part all shift what is said.
    const std::string constant = composeConstant(BindingMode::Amount, units, hundredths);
    const std::vector<std::string> pieces =
        parseText(SpeechComposer::AmountCharactersOnly(constant), ",.", "\"'");
    if (pieces.empty() || pieces[0] != units)
        return ConstantFault::First;
    const std::size_t expected = hundredths.empty() ? 1 : 2;
    if (pieces.size() != expected || (expected == 2 && pieces[1] != hundredths))
        return ConstantFault::Second;

    ConstantReader reader;
    SpeechComposer &whole = reader.fresh();
    whole.SpeakAmount(units, Currency::Hryvnia);
    if (!saysSomething(whole)) // a whole part too long to say is skipped without a sound
        return ConstantFault::First;
    SpeechComposer &amount = reader.fresh();
    amount.SpeakAmount(constant, Currency::Hryvnia);
    return amount.keysValid ? ConstantFault::None : ConstantFault::Second;
}

// The stored year is 0000, standing for any year, so 29 February is a date.
std::uint64_t daysInMonth(std::uint64_t month)
{
    static constexpr std::array<std::uint64_t, 12> Days = {31, 29, 31, 30, 31, 30,
                                                           31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? Days[month - 1] : 0;
}

ConstantFault dateFault(std::string_view day, std::string_view month)
{
    if (!plainDigits(month) || daysInMonth(leadingNumber(month)) == 0)
        return ConstantFault::Second;
    const std::uint64_t dayValue = leadingNumber(day);
    if (!plainDigits(day) || dayValue == 0 || dayValue > daysInMonth(leadingNumber(month)))
        return ConstantFault::First;
    ConstantReader reader;
    SpeechComposer &speech = reader.fresh();
    speech.SpeakDateText(composeConstant(BindingMode::Date, day, month), DateCase::Nominative);
    return saysSomething(speech) ? ConstantFault::None : ConstantFault::First;
}

} // namespace

ConstantFault constantFault(BindingMode mode, std::string_view first, std::string_view second)
{
    switch (mode) {
    case BindingMode::Amount:
        return amountFault(first, second);
    case BindingMode::Date:
        return dateFault(first, second);
    case BindingMode::Number:
    case BindingMode::TableItem:
        break;
    }
    return ConstantFault::None;
}

} // namespace vorela
