// Collects the keys of each function by speaking every value class through SpeechComposer.
#include "speech/SpeechVocabulary.h"

#include "platform/Clock.h"
#include "tables/DbfTaskTableQuery.h"

#include <cstdio>
#include <functional>
#include <string_view>

namespace vorela {

namespace {

using Speaker = std::function<void(SpeechComposer &)>;

std::string formatted(const char *format, unsigned first, unsigned second = 0, unsigned third = 0)
{
    char text[32];
    std::snprintf(text, sizeof text, format, first, second, third);
    return text;
}

// The keys of every call, without the ones a call rejected.
std::set<std::string> collect(unsigned count,
                              const std::function<void(SpeechComposer &, unsigned)> &speak)
{
    static const FixedClock clock(LocalDate{2024, 1, 1}, LocalTime{0, 0});
    static const DbfTaskTableQuery tables;
    std::set<std::string> keys;
    for (unsigned value = 0; value < count; ++value) {
        SpeechComposer composer(clock, tables);
        speak(composer, value);
        if (composer.keysValid)
            keys.insert(composer.keySequence.begin(), composer.keySequence.end());
    }
    return keys;
}

// Three-digit leading groups with every pair after them, and the shorter numbers.
std::set<std::string> phoneKeys()
{
    return collect(1000, [](SpeechComposer &composer, unsigned value) {
        composer.SpeakPhoneNumber(formatted("%03u%02u%02u", value, value % 100, value * 7 % 100),
                                  Gender::Masculine);
        composer.SpeakPhoneNumber(std::to_string(value % 10), Gender::Masculine);
    });
}

std::set<std::string> timeKeys()
{
    return collect(24 * 60, [](SpeechComposer &composer, unsigned value) {
        composer.SpeakTime(formatted("%02u %02u", value / 60, value % 60));
    });
}

std::set<std::string> dateKeys(DateCase dateCase)
{
    return collect(31 * 12, [dateCase](SpeechComposer &composer, unsigned value) {
        composer.SpeakDate(std::to_string(value % 31 + 1), std::to_string(value / 31 + 1),
                           dateCase);
    });
}

// Every group value as units, thousands and millions, and every fraction.
std::set<std::string> amountKeys(Currency currency)
{
    return collect(1000, [currency](SpeechComposer &composer, unsigned value) {
        const std::string group = std::to_string(value);
        composer.SpeakAmount(group, currency);
        composer.SpeakAmount(group + "000", currency);
        composer.SpeakAmount(group + "000000", currency);
        composer.SpeakAmount("0," + formatted("%02u", value % 100), currency);
    });
}

std::set<std::string> digitGroupKeys()
{
    return collect(1000, [](SpeechComposer &composer, unsigned value) {
        composer.SpeakDigitGroups(formatted("%03u", value));
    });
}

// House and flat numbers: every group, a slash and every letter a number may carry.
std::set<std::string> addressKeys(void (SpeechComposer::*speak)(std::string_view))
{
    static constexpr std::string_view Letters[] = {"а", "б", "в", "г", "д", "е",
                                                   "ж", "з", "и", "й", "к"};
    return collect(1000, [speak](SpeechComposer &composer, unsigned value) {
        const std::string_view letter = Letters[value % std::size(Letters)];
        (composer.*speak)(std::to_string(value) + "/" + std::string(letter));
    });
}

} // namespace

std::set<std::string> functionKeys(unsigned code, DateCase dateCase)
{
    switch (code) {
    case 0:
    case 1:
        return phoneKeys();
    case 2:
        return timeKeys();
    case 3:
        return dateKeys(DateCase::Nominative);
    case 4:
        return dateKeys(DateCase::Genitive);
    case 6:
        return dateKeys(dateCase);
    case 7:
        return amountKeys(Currency::Hryvnia);
    case 8:
        return digitGroupKeys();
    case 9:
        return amountKeys(Currency::Ruble);
    case 10:
        return amountKeys(Currency::Dollar);
    case 11:
        return addressKeys(&SpeechComposer::SpeakHouse);
    case 12:
        return addressKeys(&SpeechComposer::SpeakFlat);
    case 13:
        return amountKeys(Currency::Euro);
    default:
        return {};
    }
}

const std::set<std::string> &composableKeys()
{
    static const std::set<std::string> keys = [] {
        std::set<std::string> all;
        for (unsigned code = 0; code <= LastFunctionCode; ++code) {
            all.merge(functionKeys(code, DateCase::Nominative));
            all.merge(functionKeys(code, DateCase::Genitive));
        }
        return all;
    }();
    return keys;
}

} // namespace vorela
