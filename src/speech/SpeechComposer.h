// Turns numbers, telephone numbers, addresses, money amounts, dates and clock times into the lexeme
// keys the player speaks, and expands template items with their task-table values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class Clock;
struct NounForms;
class TaskTableQuery;

/// Grammatical gender of the number words for 1 and 2.
enum class Gender { Masculine, Feminine };

/// Case of a spoken ordinal day.
enum class DateCase { Nominative, Genitive };

/// Currency codes as templates store them.
enum class Currency { Hryvnia = 0, Ruble = 1, Dollar = 2, Euro = 3 };

class SpeechComposer {
public:
    /// The clock gives "today" and "now"; the query reads task tables. Both must outlive this.
    SpeechComposer(const Clock &clock, const TaskTableQuery &tables);

    /// Keys composed so far; operations only append.
    std::vector<std::string> keySequence;
    /// Cleared by any operation given text it cannot speak; never set by one.
    bool keysValid = true;

    // Numbers, telephone numbers and addresses.
    void SpeakDigit(std::string_view text, Gender gender);
    void SpeakTwoDigits(std::string_view text, Gender gender);
    void SpeakThreeDigits(std::string_view text, Gender gender);
    void SpeakNumber(std::uint64_t number, Gender gender);
    [[nodiscard]] static std::string DigitsOnly(std::string_view text);
    void SpeakPhoneNumber(std::string_view text, Gender gender);
    void SpeakDigitGroups(std::string_view text);
    void SpeakAddressNumber(std::string_view text);
    void SpeakHouse(std::string_view text);
    void SpeakFlat(std::string_view text);

    // Money amounts.
    void SpeakAmount(std::string_view text, Currency currency);
    [[nodiscard]] static std::string AmountCharactersOnly(std::string_view text);

    // Dates and clock times.
    void SpeakDate(std::string_view dayText, std::string_view monthText, DateCase dateCase);
    void SpeakDateText(std::string_view text, DateCase dateCase);
    void SpeakDateFromToday(std::uint64_t offsetDays, DateCase dateCase);
    void SpeakClockValue(std::string_view text, Gender gender);
    void SpeakTime(std::string_view text);
    /// Speaks the clock's current time as SpeakTime does.
    void speakCurrentTime();

private:
    void append(std::string key) { keySequence.push_back(std::move(key)); }
    void reject() { keysValid = false; }
    void speakWithNoun(std::uint64_t number, Gender gender, const NounForms &forms);
    void speakAmountFraction(std::uint64_t fraction, Currency currency);

    const Clock &clock;
    const TaskTableQuery &tables;
};

} // namespace vorela
