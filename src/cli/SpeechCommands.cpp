// `vorela speak KIND ... VALUE...` and `vorela expand TASK OPERATOR [ITEM]`: the keys the editor
// would hand to the player, one per line.
#include "cli/CliOptions.h"
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "platform/Clock.h"
#include "speech/SpeechComposer.h"
#include "speech/TemplateExpansion.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "tables/DbfTaskTableQuery.h"

#include <array>
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
    FixedClock clock{LocalDate{}, LocalTime{}}; // --today, --now
    std::array<std::string, 2> values;          // as many as the kind names
};

int printKeys(const SpeechComposer &composer)
{
    for (const std::string &key : composer.keySequence)
        std::cout << key << '\n';
    return composer.keysValid ? 0 : 2;
}

using SpeakRun = std::function<void(SpeechComposer &, const SpeakOptions &)>;

struct SpeakKind {
    std::vector<std::string> values; // their names
    bool numeric;                    // the first value must be a decimal number
    SpeakRun run;
};

const std::map<std::string, SpeakKind, std::less<>> &speakKinds()
{
    using C = SpeechComposer &;
    using O = const SpeakOptions &;
    static const std::map<std::string, SpeakKind, std::less<>> Kinds = {
        {"digit", {{"DIGIT"}, false, [](C c, O o) { c.SpeakDigit(o.values[0], o.gender); }}},
        {"two-digits",
         {{"DIGITS"}, false, [](C c, O o) { c.SpeakTwoDigits(o.values[0], o.gender); }}},
        {"three-digits",
         {{"DIGITS"}, false, [](C c, O o) { c.SpeakThreeDigits(o.values[0], o.gender); }}},
        {"number",
         {{"NUMBER"},
          true,
          [](C c, O o) { c.SpeakNumber(*decimalNumber(o.values[0]), o.gender); }}},
        {"phone", {{"PHONE"}, false, [](C c, O o) { c.SpeakPhoneNumber(o.values[0], o.gender); }}},
        {"digit-groups", {{"DIGITS"}, false, [](C c, O o) { c.SpeakDigitGroups(o.values[0]); }}},
        {"address", {{"ADDRESS"}, false, [](C c, O o) { c.SpeakAddressNumber(o.values[0]); }}},
        {"house", {{"HOUSE"}, false, [](C c, O o) { c.SpeakHouse(o.values[0]); }}},
        {"flat", {{"FLAT"}, false, [](C c, O o) { c.SpeakFlat(o.values[0]); }}},
        {"amount", {{"AMOUNT"}, false, [](C c, O o) { c.SpeakAmount(o.values[0], o.currency); }}},
        {"date",
         {{"DAY", "MONTH"},
          false,
          [](C c, O o) { c.SpeakDate(o.values[0], o.values[1], o.dateCase); }}},
        {"date-text",
         {{"DATE"}, false, [](C c, O o) { c.SpeakDateText(o.values[0], o.dateCase); }}},
        {"from-today",
         {{"DAYS"},
          true,
          [](C c, O o) { c.SpeakDateFromToday(*decimalNumber(o.values[0]), o.dateCase); }}},
        {"clock-value",
         {{"VALUE"}, false, [](C c, O o) { c.SpeakClockValue(o.values[0], o.gender); }}},
        {"time", {{"TIME"}, false, [](C c, O o) { c.SpeakTime(o.values[0]); }}},
    };
    return Kinds;
}

struct ExpandArguments {
    std::string task;
    std::string operatorName;
    std::optional<std::string> item; // every item when absent
    FixedClock clock{LocalDate{}, LocalTime{}};
};

} // namespace

static int speakCommand(const std::string &name, const SpeakKind &kind, const SpeakOptions &options)
{
    if (kind.numeric && !decimalNumber(options.values[0]))
        return cliFailure("speak " + name + " expects a decimal number");
    const DbfTaskTableQuery tables;
    SpeechComposer composer(options.clock, tables);
    kind.run(composer, options);
    return printKeys(composer);
}

static int expandCommand(CliContext &context, const ExpandArguments &arguments)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    bool found = false;
    const std::vector<PatternItem> items =
        taskConfig.GetTemplate(arguments.task, arguments.operatorName, found);
    if (!found)
        return cliFailure("no operator '" + arguments.operatorName + "' of task '" +
                          arguments.task + "'");
    if (const TemplateResult read = taskConfig.lastTemplateResult(); !read.ok())
        return cliFailure(read.reason);
    std::vector<PatternItem> chosen;
    for (const PatternItem &item : items) {
        if (!arguments.item || item.name == *arguments.item)
            chosen.push_back(item);
    }
    if (chosen.empty() && arguments.item)
        return cliFailure("no item '" + *arguments.item + "' in that template");
    const DbfTaskTableQuery tables;
    SpeechComposer composer(arguments.clock, tables);
    const LexItem lexemes(*store);
    expandTemplate(composer, {taskConfig, *store, lexemes}, arguments.task, chosen);
    return printKeys(composer);
}

static void addSpeakCommands(CLI::App &tool, CliAction &action)
{
    CLI::App &speak = addCliGroup(
        tool, "speak", "the keys of one number, amount, date or time; exit 2 when not speakable");
    const auto options = std::make_shared<SpeakOptions>();
    speak.add_flag_callback(
        "--feminine", [&gender = options->gender] { gender = Gender::Feminine; },
        "numbers of the feminine gender");
    speak.add_flag_callback(
        "--genitive", [&dateCase = options->dateCase] { dateCase = DateCase::Genitive; },
        "dates in the genitive case");
    speak
        .add_option_function<unsigned>(
            "--currency",
            [&currency = options->currency](unsigned code) {
                currency = static_cast<Currency>(code);
            },
            "the currency of an amount: 0 (hryvnia) to 3 (euro)")
        ->check(CLI::Range(0U, 3U))
        ->type_name("N");
    addClockOptions(speak, options->clock);
    for (const auto &entry : speakKinds()) {
        const SpeakKind &kind = entry.second;
        CLI::App &command =
            addCliCommand(speak, action, entry.first, "", options,
                          [&entry](CliContext &, const SpeakOptions &chosen) {
                              return speakCommand(entry.first, entry.second, chosen);
                          });
        // The options of speak may follow the kind too: `speak number --feminine 21`.
        command.fallthrough();
        for (std::size_t index = 0; index < kind.values.size(); ++index)
            command.add_option(kind.values[index], options->values.at(index))->required();
    }
}

void addSpeechCommands(CLI::App &tool, CliAction &action)
{
    addSpeakCommands(tool, action);
    const auto [expand, arguments] = addCliCommand<ExpandArguments>(
        tool, action, "expand", "a template's keys, a ----NAME line before each item's",
        expandCommand);
    expand.add_option("TASK", arguments.task)->required();
    expand.add_option("OPERATOR", arguments.operatorName)->required();
    expand.add_option_function<std::string>(
        "ITEM", [&item = arguments.item](const std::string &name) { item = name; },
        "only this item");
    addClockOptions(expand, arguments.clock);
}

} // namespace vorela
