// `vorela preflight TASK [OPERATOR]`: every record of the task's table spoken through the
// templates before a mailing; a summary on stdout, every problem in a CSV file on request.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
#include "preflight/Preflight.h"
#include "preflight/PreflightCsv.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"

#include <unistd.h>

#include <charconv>
#include <fstream>
#include <iostream>

namespace vorela {

static constexpr const char *PreflightUsage =
    "usage: vorela preflight TASK [OPERATOR] [--csv OUT] [--limit N] [--today YYYY-MM-DD] "
    "[--now HH:MM]";
static constexpr std::uint32_t DefaultLimit = 5;
// Records between two progress lines on a terminal.
static constexpr std::uint32_t ProgressLineStep = 10000;

namespace {

struct PreflightOptions {
    std::optional<std::filesystem::path> csv;
    std::uint32_t limit = DefaultLimit;
};

// Takes --csv OUT and --limit N out of arguments; empty after printing why one is wrong.
std::optional<PreflightOptions> takeOptions(CliArguments &arguments)
{
    PreflightOptions options;
    for (std::size_t index = 0; index < arguments.size();) {
        const std::string &name = arguments[index];
        if (name != "--csv" && name != "--limit") {
            ++index;
            continue;
        }
        if (index + 1 >= arguments.size()) {
            cliFailure(name + " needs a value");
            return std::nullopt;
        }
        const std::string &value = arguments[index + 1];
        if (name == "--csv") {
            options.csv = value;
        } else {
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), options.limit);
            if (error != std::errc() || end != value.data() + value.size()) {
                cliFailure("--limit needs a number of records, not '" + value + "'");
                return std::nullopt;
            }
        }
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(index),
                        arguments.begin() + static_cast<std::ptrdiff_t>(index + 2));
    }
    return options;
}

std::string describe(const PreflightProblem &problem)
{
    std::string line = problem.record == EveryRecord ? std::string("все записи")
                                                     : "запись " + std::to_string(problem.record);
    line += ", " + problem.operatorName;
    if (!problem.item.empty()) // empty for a problem of the whole template
        line += ", «" + problem.item + "»";
    if (!problem.column.empty())
        line += ", столбец " + problem.column;
    if (problem.record != EveryRecord)
        line += ", значение «" + problem.value + "»";
    return line + ": " + problem.reason;
}

void printSummary(const PreflightSummary &summary,
                  const std::array<std::vector<std::string>, ProblemKindCount> &firsts)
{
    std::cout << "Записей проверено: " << summary.recordsChecked << '\n'
              << "Произносятся целиком: " << summary.recordsWhole << '\n';
    for (std::size_t kind = 0; kind < ProblemKindCount; ++kind) {
        if (summary.problems[kind] == 0)
            continue;
        std::cout << problemKindName(static_cast<ProblemKind>(kind)) << ": "
                  << summary.problems[kind] << '\n';
        for (const std::string &line : firsts[kind])
            std::cout << "  " << line << '\n';
    }
}

} // namespace

int preflightCommand(CliContext &context, const CliArguments &arguments)
{
    CliArguments rest = arguments;
    const std::optional<PreflightOptions> options = takeOptions(rest);
    if (!options)
        return 1;
    const std::optional<ClockedArguments> clocked = parseClockedArguments(rest);
    if (!clocked)
        return 1;
    if (clocked->values.empty() || clocked->values.size() > 2)
        return cliFailure(PreflightUsage);

    std::ofstream csv;
    if (options->csv) {
        csv.open(*options->csv, std::ios::binary | std::ios::trunc);
        if (!csv)
            return cliFailure("cannot write " + options->csv->string());
        csv << preflightCsvHeader();
    }
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    const LexItem lexemes(*store);

    std::array<std::vector<std::string>, ProblemKindCount> firsts;
    PreflightRequest request;
    request.task = clocked->values[0];
    request.operatorName = clocked->values.size() == 2 ? clocked->values[1] : std::string();
    request.onProblem = [&](const PreflightProblem &problem) {
        if (csv.is_open())
            csv << preflightCsvRow(problem);
        std::vector<std::string> &lines = firsts[static_cast<std::size_t>(problem.kind)];
        if (lines.size() < options->limit)
            lines.push_back(describe(problem));
    };
    // Progress only where someone watches it; a redirected stderr gets diagnostics alone.
    if (isatty(STDERR_FILENO) != 0) {
        request.onProgress = [](std::uint32_t read, std::uint32_t count) {
            if (read % ProgressLineStep < PreflightProgressStep || read == count)
                std::cerr << "\rпроверено записей: " << read << " из " << count
                          << (read == count ? "\n" : "") << std::flush;
        };
    }
    const PreflightSummary summary =
        runPreflight({taskConfig, *store, lexemes, context.dataDirectory, clocked->clock}, request);
    if (summary.outcome == PreflightOutcome::Failed)
        return cliFailure(summary.error);
    if (csv.is_open() && !csv.flush())
        return cliFailure("cannot write " + options->csv->string());
    printSummary(summary, firsts);
    return summary.speaksWhole() ? 0 : 2;
}

} // namespace vorela
