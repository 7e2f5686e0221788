// Reads a value once, front to back, without copying it: the check before a mailing applies this
// rule to every value of a table.
#include "speech/WrittenValue.h"

#include "platform/TextParsing.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace vorela {

namespace {

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

// Takes the digits at the front of text off it; their value, or nothing when there are none.
std::optional<std::uint64_t> takeNumber(std::string_view &text)
{
    std::size_t count = 0;
    while (count < text.size() && isDigit(text[count]))
        ++count;
    if (count == 0)
        return std::nullopt;
    const std::uint64_t value = leadingNumber(text.substr(0, count));
    text.remove_prefix(count);
    return value;
}

// Takes one of accepted off the front of text; a plain loop, as the set is two or three long.
bool takeOneOf(std::string_view &text, std::string_view accepted)
{
    if (text.empty() || std::find(accepted.begin(), accepted.end(), text.front()) == accepted.end())
        return false;
    text.remove_prefix(1);
    return true;
}

bool amountAsWritten(std::string_view text)
{
    if (!takeNumber(text))
        return false;
    if (takeOneOf(text, ".,"))
        (void)takeNumber(text); // "12," is said as twelve: the fraction's digits may be absent
    return text.empty();
}

std::uint64_t daysInMonth(std::uint64_t year, std::uint64_t month)
{
    static constexpr std::uint64_t Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && leap ? 29 : Days[month - 1];
}

bool dateAsWritten(std::string_view text)
{
    const std::optional<std::uint64_t> year = takeNumber(text);
    if (!year || !takeOneOf(text, "-/."))
        return false;
    const std::optional<std::uint64_t> month = takeNumber(text);
    if (!month || !takeOneOf(text, "-/."))
        return false;
    const std::optional<std::uint64_t> day = takeNumber(text);
    if (!day || *day == 0 || *day > daysInMonth(*year, *month))
        return false;
    if (text.empty())
        return true;
    // "2008-07-03 00:00:00": the time after the date is not spoken.
    return text.front() == ' ' && text.find(':') != std::string_view::npos &&
           text.find_first_not_of(" 0123456789:.") == std::string_view::npos;
}

bool numberAsWritten(std::string_view text)
{
    for (const char character : text) {
        if (isDigit(character))
            return true;
        if (character == '-') // skipped: -5 would be heard as five
            return false;
    }
    return false;
}

} // namespace

bool saidAsWritten(BindingMode mode, std::string_view value)
{
    const std::string_view text = trimBlanks(value);
    switch (mode) {
    case BindingMode::Amount:
        return amountAsWritten(text);
    case BindingMode::Date:
        return dateAsWritten(text);
    case BindingMode::Number:
        return numberAsWritten(text);
    case BindingMode::TableItem:
        break;
    }
    return true;
}

} // namespace vorela
