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
class ItemValues;
class LexItem;
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

/// What expanding a task's template items reads besides the items; all must outlive the call.
struct TaskSources {
    const Aliases &taskConfig; // the task's table file
    RegistryStore &store;      // the lexeme tables
    const LexItem &lexemes;    // the names the task tree shows
    /// When set, bound values and lexeme-table keys come from here, not from the table file and
    /// the registry.
    const ItemValues *values = nullptr;
};

class SpeechComposer {
public:
    /// The clock gives "today" and "now"; the query reads task tables. Both must outlive this.
    SpeechComposer(const Clock &clock, const TaskTableQuery &tables);

    /// Keys composed so far; operations only append.
    std::vector<std::string> keySequence;
    /// Cleared by any operation given text it cannot speak; never set by one.
    bool keysValid = true;

    // Numbers, telephone numbers and addresses. An operation given a text it cannot speak (too
    // long, out of range, not digits) clears keysValid and appends nothing.
    /// One digit 1..9.
    void SpeakDigit(std::string_view text, Gender gender);
    /// Up to two digits, a leading zero spoken ("07": zero, seven).
    void SpeakTwoDigits(std::string_view text, Gender gender);
    /// Up to three digits as hundreds, tens and units; a leading zero is spoken as zero.
    void SpeakThreeDigits(std::string_view text, Gender gender);
    /// 0..999; thousands are the amounts' business.
    void SpeakNumber(std::uint64_t number, Gender gender);
    [[nodiscard]] static std::string DigitsOnly(std::string_view text);
    /// Digits dictated in groups ending in two pairs; of 8 digits or more only the last four.
    void SpeakPhoneNumber(std::string_view text, Gender gender);
    /// 1..9 digits in groups of three with their leading zeros; anything else speaks nothing.
    void SpeakDigitGroups(std::string_view text);
    /// Digit runs, slashes and the letters А..И, К in either case; other characters are skipped.
    void SpeakAddressNumber(std::string_view text);
    /// "HOME" / "FLAT" and the number; a blank text speaks nothing at all.
    void SpeakHouse(std::string_view text);
    void SpeakFlat(std::string_view text);

    // Money amounts.
    /// The amount read from its digits, '.' and ','; the whole part, then the fraction as a number
    /// of kopecks or cents ("0,5" is five). A whole part above 999 999 999 or a fraction above 999
    /// clears keysValid and appends nothing.
    void SpeakAmount(std::string_view text, Currency currency);
    [[nodiscard]] static std::string AmountCharactersOnly(std::string_view text);

    // Dates and clock times. Out-of-range values clear keysValid and append nothing.
    /// Ordinal day 1..31 and month 1..12 (the day is not checked against the month).
    void SpeakDate(std::string_view dayText, std::string_view monthText, DateCase dateCase);
    /// A year-first date ("2008-07-03", "'0000/07/03'"); with fewer than three parts, nothing.
    void SpeakDateText(std::string_view text, DateCase dateCase);
    /// The calendar date offsetDays (at most 999) after the clock's today.
    void SpeakDateFromToday(std::uint64_t offsetDays, DateCase dateCase);
    /// Hours or minutes of up to two digits, zero spoken.
    void SpeakClockValue(std::string_view text, Gender gender);
    /// Hours in the first two and minutes in the last two characters ("14 05").
    void SpeakTime(std::string_view text);
    /// Speaks the clock's current time as SpeakTime does.
    void speakCurrentTime();

    // Template items.
    /// Appends "----" + markerId and the item's keys, with values from the task's table. A function
    /// item first sets keysValid, so only failures from this item on count. A relative date speaks
    /// what the item's text in the task tree says.
    void ExpandTemplateItem(const TaskSources &sources, const std::string &taskName,
                            const PatternItem &item, std::string_view markerId);
    /// True when expanding item reads a value of the task's table: a function speaking a field
    /// or a spoken lexeme table.
    [[nodiscard]] static bool readsTableValue(const PatternItem &item);
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
    void speakUnits(std::uint64_t digit, Gender gender);    // 1..9
    void speakTens(std::uint64_t value, Gender gender);     // 10..99
    void speakHundreds(std::uint64_t value, Gender gender); // 0..999, hundreds first
    void speakWithNoun(std::uint64_t number, Gender gender, const NounForms &forms);
    void speakToday(DateCase dateCase);
    void expandFunction(const TaskSources &sources, const std::string &taskName,
                        const PatternItem &item, unsigned code);
    [[nodiscard]] std::string itemValue(const TaskSources &sources, const std::string &taskName,
                                        std::string_view binding) const;

    const Clock &clock;
    const TaskTableQuery &tables;
};

} // namespace vorela
