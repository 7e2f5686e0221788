// Template items as keys: fixed lexemes, function items spoken from task-table values, and
// lexeme-table items chosen by a value's key name.
#include "speech/SpeechComposer.h"

#include "platform/Clock.h"
#include "platform/TextParsing.h"
#include "speech/ItemValues.h"
#include "speech/LexemeTableKeys.h"
#include "speech/NumberGrammar.h"
#include "speech/RelativeDate.h"
#include "speech/TemplateExpansion.h"
#include "stores/Aliases.h"
#include "stores/KeySequence.h"
#include "stores/LexemeTable.h"
#include "stores/PatternItem.h"
#include "tables/TaskTableQuery.h"

#include <cstdio>
#include <optional>
#include <utility>

namespace vorela {

namespace {

enum class FunctionCode : unsigned {
    Phone = 0,
    PhoneToo = 1,
    CurrentTime = 2,
    Date = 3,
    DateGenitive = 4,
    Nothing = 5,
    DateFromToday = 6,
    Hryvnias = 7,
    DigitGroups = 8,
    Rubles = 9,
    Dollars = 10,
    House = 11,
    Flat = 12,
    Euros = 13,
};

constexpr std::string_view EmptyItemKey = "____";
constexpr std::string_view SpokenTableCode = "001";
constexpr std::string_view EmptyAmount = "0,0";

// "@" or "#", anything, then a three-digit code.
std::optional<unsigned> itemCode(std::string_view key, char kind)
{
    if (key.size() < 4 || key.front() != kind || !digitsOnly(key.substr(key.size() - 3)))
        return std::nullopt;
    return static_cast<unsigned>(leadingNumber(key.substr(key.size() - 3)));
}

// Codes that speak a value of the task's table; the others speak the clock, the item's text or
// nothing.
bool speaksField(unsigned code)
{
    const auto function = static_cast<FunctionCode>(code);
    return code <= static_cast<unsigned>(FunctionCode::Euros) &&
           function != FunctionCode::CurrentTime && function != FunctionCode::DateFromToday &&
           function != FunctionCode::Nothing;
}

std::optional<Currency> amountCurrency(FunctionCode code)
{
    switch (code) {
    case FunctionCode::Hryvnias:
        return Currency::Hryvnia;
    case FunctionCode::Rubles:
        return Currency::Ruble;
    case FunctionCode::Dollars:
        return Currency::Dollar;
    case FunctionCode::Euros:
        return Currency::Euro;
    default:
        return std::nullopt;
    }
}

} // namespace

bool SpeechComposer::readsTableValue(const PatternItem &item)
{
    if (const std::optional<unsigned> code = itemCode(item.chunk, '@'))
        return speaksField(*code);
    return itemCode(item.chunk, '#') && item.chunk.ends_with(SpokenTableCode);
}

void SpeechComposer::ExpandTemplateItem(const TaskSources &sources, const std::string &taskName,
                                        const PatternItem &item, std::string_view markerId)
{
    append(std::string(MarkerPrefix) + std::string(markerId));
    if (const std::optional<unsigned> code = itemCode(item.chunk, '@')) {
        keysValid = true;
        expandFunction(sources, taskName, item, *code);
        return;
    }
    if (itemCode(item.chunk, '#')) {
        if (!item.chunk.ends_with(SpokenTableCode))
            return;
        const std::string value(tableKeyName(itemValue(sources, taskName, item.arg)));
        if (value.empty())
            append(std::string(SilentKey));
        else if (sources.values == nullptr)
            LookUpTableKey(sources.store, item.path, value);
        else if (std::string chunk = sources.values->tableChunk(item.path, value); !chunk.empty())
            append(std::move(chunk));
        else
            append(std::string(SilentKey));
        return;
    }
    if (item.chunk == EmptyItemKey) {
        append(std::string(SilentKey));
        return;
    }
    append(item.chunk);
}

void SpeechComposer::expandFunction(const TaskSources &sources, const std::string &taskName,
                                    const PatternItem &item, unsigned code)
{
    const auto function = static_cast<FunctionCode>(code);
    if (function == FunctionCode::CurrentTime) {
        speakCurrentTime();
        return;
    }
    if (function == FunctionCode::DateFromToday) {
        // The operator hears what the tree shows, in whichever language that is.
        const RelativeDate date = relativeDateOf(templateItemText(sources.lexemes, item));
        SpeakDateFromToday(date.offsetDays, date.dateCase);
        return;
    }
    if (!speaksField(code))
        return;
    const std::string value = itemValue(sources, taskName, item.arg);
    if (const std::optional<Currency> currency = amountCurrency(function)) {
        SpeakAmount(value.empty() ? EmptyAmount : std::string_view(value), *currency);
        return;
    }
    if (function == FunctionCode::Date || function == FunctionCode::DateGenitive) {
        const DateCase dateCase =
            function == FunctionCode::Date ? DateCase::Nominative : DateCase::Genitive;
        if (value.empty())
            speakToday(dateCase);
        else
            SpeakDateText(value, dateCase);
        return;
    }
    // A value with no sound is marked, so an empty flat number is not spoken as "FLAT" alone.
    if (value.empty()) {
        append(std::string(SilentKey));
        return;
    }
    if (function == FunctionCode::Phone || function == FunctionCode::PhoneToo)
        SpeakPhoneNumber(DigitsOnly(value), Gender::Masculine);
    else if (function == FunctionCode::DigitGroups)
        SpeakDigitGroups(DigitsOnly(value));
    else if (function == FunctionCode::House)
        SpeakHouse(value);
    else if (function == FunctionCode::Flat)
        SpeakFlat(value);
}

void SpeechComposer::speakToday(DateCase dateCase)
{
    const LocalDate today = clock.today();
    SpeakDate(std::to_string(today.day), std::to_string(today.month), dateCase);
}

std::string SpeechComposer::ReadFieldValue(const Aliases &taskConfig, const std::string &taskName,
                                           std::string_view binding) const
{
    const std::optional<std::filesystem::path> file =
        resolveTablePath(taskConfig.GetFile(taskName));
    if (!file)
        return {};
    const TableValue value = tables.value(*file, binding);
    return value.status == TableValue::Status::Found ? value.text : std::string();
}

void SpeechComposer::LookUpTableKey(RegistryStore &store, std::string_view tablePath,
                                    std::string_view value)
{
    const auto keys = lexemeTableKeys(store, tablePath);
    const auto entry = keys.find(std::string(value));
    append(entry == keys.end() ? std::string(SilentKey) : entry->second);
}

std::string SpeechComposer::itemValue(const TaskSources &sources, const std::string &taskName,
                                      std::string_view binding) const
{
    return sources.values != nullptr ? sources.values->fieldValue(binding)
                                     : ReadFieldValue(sources.taskConfig, taskName, binding);
}

} // namespace vorela
