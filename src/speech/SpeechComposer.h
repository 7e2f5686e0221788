// Turns numbers, telephone numbers, addresses, money amounts, dates and clock times into the lexeme
// keys the player speaks, and expands template items with their task-table values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class Aliases;
class Clock;
struct NounForms;
struct PatternItem;
class RegistryStore;
class TaskTableQuery;

/// Grammatical gender of the number words for 1 and 2.
enum class Gender { Masculine, Feminine };

/// Case of a spoken ordinal day.
enum class DateCase { Nominative, Genitive };

/// Currency codes as templates store them.
enum class Currency { Hryvnia = 0, Ruble = 1, Dollar = 2, Euro = 3 };

/// What expanding a task's template items reads besides the items; both must outlive the call.
struct TaskSources {
    const Aliases &taskConfig; // the task's table file
    RegistryStore &store;      // the lexeme tables
};

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

    // Template items.
    /// Appends "----" + markerId and the item's keys, with values from the task's table. A function
    /// item first sets keysValid, so only failures from this item on count.
    void ExpandTemplateItem(const TaskSources &sources, const std::string &taskName,
                            const PatternItem &item, std::string_view displayText,
                            std::string_view markerId);
    /// The value the binding reads from the first live record of the task's table; empty when the
    /// task has no table file, the file is unreadable or the binding reads nothing.
    [[nodiscard]] std::string ReadFieldValue(const Aliases &taskConfig, const std::string &taskName,
                                             std::string_view binding) const;
    /// Appends the chunk id of the entry of the lexeme table at tablePath whose key name is value,
    /// or "NULL" when there is none.
    void LookUpTableKey(RegistryStore &store, std::string_view tablePath, std::string_view value);

private:
    void append(std::string key) { keySequence.push_back(std::move(key)); }
    void reject() { keysValid = false; }
    void speakWithNoun(std::uint64_t number, Gender gender, const NounForms &forms);
    void speakAmountFraction(std::uint64_t fraction, Currency currency);
    void speakToday(DateCase dateCase);
    void expandFunction(const Aliases &taskConfig, const std::string &taskName,
                        const PatternItem &item, std::string_view displayText, unsigned code);

    const Clock &clock;
    const TaskTableQuery &tables;
};

} // namespace vorela
