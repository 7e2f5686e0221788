// Dates and clock times as lexeme keys: ordinal days in two cases, month names, hours and minutes.
#include "speech/SpeechComposer.h"

#include "platform/Clock.h"
#include "platform/TextParsing.h"
#include "speech/NumberGrammar.h"

#include <chrono>
#include <cstdio>

namespace vorela {

void SpeechComposer::SpeakDate(std::string_view dayText, std::string_view monthText,
                               DateCase dateCase)
{
    std::uint64_t day = leadingNumber(dayText);
    const std::uint64_t month = leadingNumber(monthText);
    if (day < 1 || day > 31 || month < 1 || month > 12) {
        reject();
        return;
    }
    // Ordinals above 20 are a cardinal ten followed by the ordinal of the units: "twenty" "fifth".
    if (day > 20 && day < 30) {
        append("_020");
        day -= 20;
    } else if (day == 31) {
        append("_030");
        day = 1;
    }
    std::string key = numberKey(day);
    key[1] = dateCase == DateCase::Genitive ? 'O' : 'E';
    append(std::move(key));
    std::string monthKey = numberKey(month);
    monthKey[0] = '+';
    monthKey[1] = 'T';
    append(std::move(monthKey));
}

void SpeechComposer::SpeakDateText(std::string_view text, DateCase dateCase)
{
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'')
        text = text.substr(1, text.size() - 2);
    // Year first, as tables store dates: 2008-07-03 or 2008-07-03 00:00:00.
    const std::vector<std::string> pieces = parseText(text, " /-:,.", "\"'");
    if (pieces.size() <= 2)
        return;
    SpeakDate(pieces[2], pieces[1], dateCase);
}

void SpeechComposer::SpeakDateFromToday(std::uint64_t offsetDays, DateCase dateCase)
{
    // Offsets come from three template digits; far beyond that no calendar date is meant.
    constexpr std::uint64_t LargestOffset = 999;
    const LocalDate today = clock.today();
    const std::chrono::year_month_day start{std::chrono::year{today.year},
                                            std::chrono::month{today.month},
                                            std::chrono::day{today.day}};
    if (offsetDays > LargestOffset || !start.ok()) {
        reject();
        return;
    }
    const std::chrono::year_month_day date{std::chrono::sys_days{start} +
                                           std::chrono::days{offsetDays}};
    char day[4];
    char month[4];
    std::snprintf(day, sizeof day, "%02u", static_cast<unsigned>(date.day()));
    std::snprintf(month, sizeof month, "%02u", static_cast<unsigned>(date.month()));
    SpeakDate(day, month, dateCase);
}

void SpeechComposer::SpeakClockValue(std::string_view text, Gender gender)
{
    if (text.size() > 2 || !digitsOnly(text)) {
        reject();
        return;
    }
    const std::uint64_t value = leadingNumber(text);
    if (value == 0)
        append("_000");
    else if (value >= 10)
        SpeakTwoDigits(text, gender);
    else
        SpeakDigit(std::to_string(value), gender); // a leading zero is not spoken
}

void SpeechComposer::SpeakTime(std::string_view text)
{
    if (text.empty()) {
        reject();
        return;
    }
    const std::string_view hourText = text.substr(0, 2);
    const std::string_view minuteText = text.substr(text.size() < 2 ? 0 : text.size() - 2);
    const std::uint64_t hour = leadingNumber(hourText);
    const std::uint64_t minute = leadingNumber(minuteText);
    if (!digitsOnly(hourText) || !digitsOnly(minuteText) || hour > 23 || minute > 59) {
        reject();
        return;
    }
    static const NounForms Hours = {"+CLC", "+CLA", "+CLW"};
    static const NounForms Minutes = {"+MNA", "+MNI", "+MNT"};
    SpeakClockValue(hourText, Gender::Masculine);
    append(Hours[pluralForm(hour)]);
    SpeakClockValue(minuteText, Gender::Feminine);
    append(Minutes[pluralForm(minute)]);
}

void SpeechComposer::speakCurrentTime()
{
    const LocalTime now = clock.now();
    char text[16];
    std::snprintf(text, sizeof text, "%02u %02u", now.hour, now.minute);
    SpeakTime(text);
}

} // namespace vorela
