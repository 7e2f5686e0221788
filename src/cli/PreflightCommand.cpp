// `vorela preflight TASK [OPERATOR]`: every record of the task's table spoken through the
// templates before a mailing; a summary on stdout, every problem in a CSV file on request.
#include "cli/CliOptions.h"
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "preflight/Preflight.h"
#include "preflight/PreflightCsvFile.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"

#include <unistd.h>

#include <iostream>

namespace vorela {

static constexpr std::uint32_t DefaultLimit = 5;
// Records between two progress lines on a terminal.
static constexpr std::uint32_t ProgressLineStep = 10000;

namespace {

struct PreflightOptions {
    std::string task;
    std::string operatorName; // empty: every operator of the task
    std::optional<std::filesystem::path> csv;
    std::uint32_t limit = DefaultLimit;
    FixedClock clock{LocalDate{}, LocalTime{}}; // --today, --now
};

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

static int preflightCommand(CliContext &context, const PreflightOptions &options)
{
    // Written beside the old file and put in place only once the check has run to its end.
    std::optional<PreflightCsvFile> csv;
    if (options.csv && !csv.emplace(*options.csv).create())
        return cliFailure("cannot write " + options.csv->string());
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    const LexItem lexemes(*store);

    std::array<std::vector<std::string>, ProblemKindCount> firsts;
    PreflightRequest request;
    request.task = options.task;
    request.operatorName = options.operatorName;
    request.onProblem = [&](const PreflightProblem &problem) {
        if (csv)
            csv->add(problem);
        std::vector<std::string> &lines = firsts[static_cast<std::size_t>(problem.kind)];
        if (lines.size() < options.limit)
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
        runPreflight({taskConfig, *store, lexemes, context.dataDirectory, options.clock}, request);
    if (summary.outcome == PreflightOutcome::Failed)
        return cliFailure(summary.error);
    if (csv && !csv->commit())
        return cliFailure("cannot write " + options.csv->string());
    printSummary(summary, firsts);
    return summary.speaksWhole() ? 0 : 2;
}

void addPreflightCommand(CLI::App &tool, CliAction &action)
{
    const auto [preflight, options] = addCliCommand<PreflightOptions>(
        tool, action, "preflight",
        "every record of the task's table spoken through the templates; exit 0 when all speak "
        "whole, 2 when not",
        preflightCommand);
    preflight.add_option("TASK", options.task)->required();
    preflight.add_option("OPERATOR", options.operatorName, "only this operator's template");
    preflight
        .add_option_function<std::string>(
            "--csv", [&csv = options.csv](const std::string &path) { csv = path; },
            "every problem into this CSV file")
        ->type_name("OUT");
    preflight
        .add_option("--limit", options.limit,
                    "examples per kind of problem (default " + std::to_string(DefaultLimit) + ")")
        ->type_name("N");
    addClockOptions(preflight, options.clock);
}

} // namespace vorela
