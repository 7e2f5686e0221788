// `vorela speak KIND ... VALUE...` and `vorela expand TASK OPERATOR [ITEM]`: the keys the editor
// would hand to the player, one per line.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
#include "platform/Clock.h"
#include "platform/DbfTaskTableQuery.h"
#include "speech/SpeechComposer.h"
#include "speech/TemplateExpansion.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"

#include <charconv>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

namespace vorela {

namespace {

struct SpeakOptions {
    Gender gender = Gender::Masculine;
    DateCase dateCase = DateCase::Nominative;
    Currency currency = Currency::Hryvnia;
    std::optional<LocalDate> today;
    std::optional<LocalTime> now;
    std::vector<std::string> values;
};

std::optional<unsigned> number(std::string_view text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<LocalDate> dateOption(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::optional<unsigned> year = number(text.substr(0, 4));
    const std::optional<unsigned> month = number(text.substr(5, 2));
    const std::optional<unsigned> day = number(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    return LocalDate{static_cast<int>(*year), *month, *day};
}

std::optional<LocalTime> timeOption(std::string_view text)
{
    if (text.size() != 5 || text[2] != ':')
        return std::nullopt;
    const std::optional<unsigned> hour = number(text.substr(0, 2));
    const std::optional<unsigned> minute = number(text.substr(3, 2));
    if (!hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    return LocalTime{*hour, *minute};
}

// Reads the options shared by speak and expand; the rest are values. Empty after printing why.
std::optional<SpeakOptions> parseOptions(const CliArguments &arguments)
{
    SpeakOptions options;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string &argument = arguments[index];
        const bool hasValue = index + 1 < arguments.size();
        if (argument == "--feminine") {
            options.gender = Gender::Feminine;
        } else if (argument == "--genitive") {
            options.dateCase = DateCase::Genitive;
        } else if (argument == "--currency" && hasValue) {
            const std::optional<unsigned> code = number(arguments[++index]);
            if (!code || *code > 3)
                return cliFailure("--currency expects 0 (hryvnia) to 3 (euro)"), std::nullopt;
            options.currency = static_cast<Currency>(*code);
        } else if (argument == "--today" && hasValue) {
            options.today = dateOption(arguments[++index]);
            if (!options.today)
                return cliFailure("--today expects YYYY-MM-DD"), std::nullopt;
        } else if (argument == "--now" && hasValue) {
            options.now = timeOption(arguments[++index]);
            if (!options.now)
                return cliFailure("--now expects HH:MM"), std::nullopt;
        } else if (argument.starts_with("--")) {
            return cliFailure("unknown or incomplete option " + argument), std::nullopt;
        } else {
            options.values.push_back(argument);
        }
    }
    return options;
}

FixedClock clockFor(const SpeakOptions &options)
{
    const SystemClock system;
    return FixedClock(options.today.value_or(system.today()), options.now.value_or(system.now()));
}

int printKeys(const SpeechComposer &composer)
{
    for (const std::string &key : composer.keySequence)
        std::cout << key << '\n';
    std::cout.flush();
    if (!std::cout)
        return cliFailure("cannot write to standard output");
    return composer.keysValid ? 0 : 2;
}

using SpeakRun = std::function<void(SpeechComposer &, const SpeakOptions &)>;

struct SpeakKind {
    std::size_t values;
    bool numeric; // the first value must be a decimal number
    SpeakRun run;
};

const std::map<std::string, SpeakKind, std::less<>> &speakKinds()
{
    using C = SpeechComposer &;
    using O = const SpeakOptions &;
    static const std::map<std::string, SpeakKind, std::less<>> Kinds = {
        {"digit", {1, false, [](C c, O o) { c.SpeakDigit(o.values[0], o.gender); }}},
        {"two-digits", {1, false, [](C c, O o) { c.SpeakTwoDigits(o.values[0], o.gender); }}},
        {"three-digits", {1, false, [](C c, O o) { c.SpeakThreeDigits(o.values[0], o.gender); }}},
        {"number", {1, true, [](C c, O o) { c.SpeakNumber(*number(o.values[0]), o.gender); }}},
        {"phone", {1, false, [](C c, O o) { c.SpeakPhoneNumber(o.values[0], o.gender); }}},
        {"digit-groups", {1, false, [](C c, O o) { c.SpeakDigitGroups(o.values[0]); }}},
        {"address", {1, false, [](C c, O o) { c.SpeakAddressNumber(o.values[0]); }}},
        {"house", {1, false, [](C c, O o) { c.SpeakHouse(o.values[0]); }}},
        {"flat", {1, false, [](C c, O o) { c.SpeakFlat(o.values[0]); }}},
        {"amount", {1, false, [](C c, O o) { c.SpeakAmount(o.values[0], o.currency); }}},
        {"date", {2, false, [](C c, O o) { c.SpeakDate(o.values[0], o.values[1], o.dateCase); }}},
        {"date-text", {1, false, [](C c, O o) { c.SpeakDateText(o.values[0], o.dateCase); }}},
        {"from-today",
         {1, true, [](C c, O o) { c.SpeakDateFromToday(*number(o.values[0]), o.dateCase); }}},
        {"clock-value", {1, false, [](C c, O o) { c.SpeakClockValue(o.values[0], o.gender); }}},
        {"time", {1, false, [](C c, O o) { c.SpeakTime(o.values[0]); }}},
    };
    return Kinds;
}

} // namespace

int speakCommand(CliContext &, const CliArguments &arguments)
{
    if (arguments.empty())
        return cliFailure("usage: vorela speak KIND [OPTIONS] VALUE...");
    const auto kind = speakKinds().find(arguments[0]);
    if (kind == speakKinds().end())
        return cliFailure("unknown kind '" + arguments[0] + "' of speak");
    const std::optional<SpeakOptions> options =
        parseOptions(CliArguments(arguments.begin() + 1, arguments.end()));
    if (!options)
        return 1;
    if (options->values.size() != kind->second.values)
        return cliFailure("speak " + arguments[0] + " expects " +
                          std::to_string(kind->second.values) + " value(s)");
    if (kind->second.numeric && !number(options->values[0]))
        return cliFailure("speak " + arguments[0] + " expects a decimal number");
    const FixedClock clock = clockFor(*options);
    const DbfTaskTableQuery tables;
    SpeechComposer composer(clock, tables);
    kind->second.run(composer, *options);
    return printKeys(composer);
}

std::optional<ClockedArguments> parseClockedArguments(const CliArguments &arguments)
{
    std::optional<SpeakOptions> options = parseOptions(arguments);
    if (!options)
        return std::nullopt;
    return ClockedArguments{clockFor(*options), std::move(options->values)};
}

int expandCommand(CliContext &context, const CliArguments &arguments)
{
    const std::optional<SpeakOptions> options = parseOptions(arguments);
    if (!options)
        return 1;
    const std::vector<std::string> &names = options->values;
    if (names.size() < 2 || names.size() > 3)
        return cliFailure("usage: vorela expand TASK OPERATOR [ITEM] [--today YYYY-MM-DD] "
                          "[--now HH:MM]");
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    bool found = false;
    const std::vector<PatternItem> items = taskConfig.GetTemplate(names[0], names[1], found);
    if (!found)
        return cliFailure("no operator '" + names[1] + "' of task '" + names[0] + "'");
    if (const TemplateResult read = taskConfig.lastTemplateResult(); !read.ok())
        return cliFailure(read.reason);
    std::vector<PatternItem> chosen;
    for (const PatternItem &item : items) {
        if (names.size() == 2 || item.name == names[2])
            chosen.push_back(item);
    }
    if (chosen.empty() && names.size() == 3)
        return cliFailure("no item '" + names[2] + "' in that template");
    const FixedClock clock = clockFor(*options);
    const DbfTaskTableQuery tables;
    SpeechComposer composer(clock, tables);
    const LexItem lexemes(*store);
    expandTemplate(composer, {taskConfig, *store, lexemes}, names[0], chosen);
    return printKeys(composer);
}

} // namespace vorela
