// Reads a value once, front to back, without copying it: the check before a mailing applies this
// rule to every value of a table.
#include "speech/WrittenValue.h"

#include "platform/TextParsing.h"

#include <cstdint>

namespace vorela {

namespace {

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

// Takes the digits at the front of text off it; how many there were.
std::size_t takeDigits(std::string_view &text)
{
    std::size_t count = 0;
    while (count < text.size() && isDigit(text[count]))
        ++count;
    text.remove_prefix(count);
    return count;
}

WrittenFault amountFault(std::string_view text)
{
    if (takeDigits(text) == 0)
        return WrittenFault::First;
    if (text.empty())
        return WrittenFault::None;
    if (text.front() != '.' && text.front() != ',')
        return WrittenFault::First;
    text.remove_prefix(1);
    takeDigits(text);
    return text.empty() ? WrittenFault::None : WrittenFault::Second;
}

bool leapYear(std::uint64_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::uint64_t daysInMonth(std::uint64_t year, std::uint64_t month)
{
    static constexpr std::uint64_t Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && leapYear(year) ? 29 : Days[month - 1];
}

// Digits, then a date separator; the digits' value, or nothing when either is missing.
bool takeDatePart(std::string_view &text, std::uint64_t &value)
{
    const std::string_view digits = text;
    const std::size_t count = takeDigits(text);
    if (count == 0 || text.empty() ||
        (text.front() != '-' && text.front() != '/' && text.front() != '.'))
        return false;
    value = leadingNumber(digits.substr(0, count));
    text.remove_prefix(1);
    return true;
}

WrittenFault dateFault(std::string_view text)
{
    std::uint64_t year = 0;
    std::uint64_t month = 0;
    if (!takeDatePart(text, year) || !takeDatePart(text, month))
        return WrittenFault::Second;
    const std::uint64_t days = daysInMonth(year, month);
    if (days == 0)
        return WrittenFault::Second;
    const std::string_view dayText = text;
    const std::size_t count = takeDigits(text);
    const std::uint64_t day = leadingNumber(dayText.substr(0, count));
    if (count == 0 || day == 0 || day > days || (!text.empty() && text.front() != ' '))
        return WrittenFault::First;
    return WrittenFault::None;
}

WrittenFault numberFault(std::string_view text)
{
    const std::size_t digit = text.find_first_of("0123456789");
    if (digit == std::string_view::npos)
        return WrittenFault::First;
    // A minus sign is skipped: -5 would be heard as five.
    return text.find('-') < digit ? WrittenFault::First : WrittenFault::None;
}

} // namespace

WrittenFault writtenFault(BindingMode mode, std::string_view value)
{
    const std::string_view text = trimBlanks(value);
    switch (mode) {
    case BindingMode::Amount:
        return amountFault(text);
    case BindingMode::Date:
        return dateFault(text);
    case BindingMode::Number:
        return numberFault(text);
    case BindingMode::TableItem:
        break;
    }
    return WrittenFault::None;
}

} // namespace vorela
