// Reads the templates, the bank's chunk list and the table's header once, then walks the table's
// records once, speaking every template item that reads a column.
#include "preflight/Preflight.h"

#include "platform/DataDirectory.h"
#include "preflight/SoundInventory.h"
#include "preflight/TemplateCheck.h"
#include "stores/Aliases.h"
#include "tables/DbfRecordCursor.h"
#include "tables/DbfTable.h"
#include "tables/TaskTableQuery.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace vorela {

const char *problemKindName(ProblemKind kind)
{
    switch (kind) {
    case ProblemKind::Unspeakable:
        return "значение не произносится";
    case ProblemKind::MissingSound:
        return "нет звука в банке";
    case ProblemKind::TableKeyMissing:
        return "нет ключа в таблице лексем";
    case ProblemKind::MissingColumn:
        return "нет столбца в таблице задания";
    case ProblemKind::EmptyValue:
        return "пустое значение";
    case ProblemKind::NoGreeting:
        return "шаблон не произносится";
    case ProblemKind::UnreadableColumn:
        return "столбец не читается";
    }
    return "?";
}

bool PreflightSummary::speaksWhole() const
{
    return outcome == PreflightOutcome::Checked &&
           std::all_of(problems.begin(), problems.end(),
                       [](std::uint64_t count) { return count == 0; });
}

namespace {

PreflightSummary failed(PreflightFailure failure, std::string error)
{
    PreflightSummary summary;
    summary.failure = failure;
    summary.error = std::move(error);
    return summary;
}

// The operators the request names, as stored: all of the task's, or the one asked for in any
// letter case.
std::optional<std::vector<std::string>> operatorsOf(const Aliases &taskConfig,
                                                    const std::string &task,
                                                    const std::string &operatorName,
                                                    PreflightSummary &failure)
{
    if (operatorName.empty())
        return taskConfig.GetOperatorNames(task);
    std::optional<std::string> stored = taskConfig.storedOperatorName(task, operatorName);
    if (!stored) {
        failure = failed(PreflightFailure::NoOperator,
                         "no operator '" + operatorName + "' of task '" + task + "'");
        return std::nullopt;
    }
    return std::vector<std::string>{std::move(*stored)};
}

std::optional<DbfTable> openTaskTable(const Aliases &taskConfig, const std::string &task,
                                      PreflightSummary &failure)
{
    const std::string file = taskConfig.GetFile(task);
    const std::optional<std::filesystem::path> path = resolveTablePath(file);
    if (!path) {
        failure =
            failed(PreflightFailure::NoTable, file.empty() ? "task '" + task + "' has no table file"
                                                           : file + ": no such table file");
        return std::nullopt;
    }
    std::string error;
    std::optional<DbfTable> table = DbfTable::open(*path, error);
    if (!table)
        failure = failed(PreflightFailure::UnreadableTable, error);
    return table;
}

bool cancelled(const PreflightRequest &request)
{
    return request.cancel != nullptr && request.cancel->load(std::memory_order_relaxed);
}

} // namespace

PreflightSummary runPreflight(const PreflightSources &sources, const PreflightRequest &request)
{
    // Names typed in any letter case are found as the registry finds them, and reported as stored.
    const std::optional<std::string> task = sources.taskConfig.storedTaskName(request.task);
    if (!task)
        return failed(PreflightFailure::NoTask, "no task '" + request.task + "'");
    PreflightSummary summary;
    const std::optional<std::vector<std::string>> operators =
        operatorsOf(sources.taskConfig, *task, request.operatorName, summary);
    if (!operators)
        return summary;
    const std::optional<DbfTable> table = openTaskTable(sources.taskConfig, *task, summary);
    if (!table)
        return summary;
    std::string error;
    std::optional<SoundInventory> inventory =
        SoundInventory::read(sources.dataDirectory.productBank(), sources.store, error);
    if (!inventory)
        return failed(PreflightFailure::UnreadableBank, error);

    std::vector<TemplateCheck> templates;
    for (const std::string &operatorName : *operators) {
        // Each template is read under its mutex, as the notification application reads it.
        const std::vector<PatternItem> items = sources.taskConfig.GetTemplate(*task, operatorName);
        if (const TemplateResult read = sources.taskConfig.lastTemplateResult(); !read.ok())
            return failed(PreflightFailure::UnreadableTemplate,
                          "the template of task '" + *task + "', operator '" + operatorName +
                              "' was not checked: " + read.reason);
        templates.emplace_back(*task, operatorName, items, *table, sources.lexemes);
    }
    ItemCheck check(sources, *inventory, [&](PreflightProblem &&problem) {
        ++summary.problems[static_cast<std::size_t>(problem.kind)];
        if (request.onProblem)
            request.onProblem(problem);
    });
    bool sharedWhole = true;
    for (const TemplateCheck &templateCheck : templates)
        sharedWhole = templateCheck.checkShared(check) && sharedWhole;

    const auto progress = [&](std::uint32_t read) {
        if (request.onProgress)
            request.onProgress(read, table->recordCount());
    };
    DbfRecordCursor cursor(*table);
    std::uint32_t reported = 0;
    while (!cancelled(request) && cursor.next(error)) {
        ++summary.recordsChecked;
        bool whole = sharedWhole;
        for (const TemplateCheck &templateCheck : templates)
            whole = templateCheck.checkRecord(check, cursor.record(), cursor.number()) && whole;
        summary.recordsWhole += whole ? 1 : 0;
        if (cursor.number() - reported >= PreflightProgressStep)
            progress(reported = cursor.number());
    }
    if (!error.empty()) {
        summary.failure = PreflightFailure::UnreadableTable;
        summary.error = error;
        return summary;
    }
    summary.outcome = cancelled(request) ? PreflightOutcome::Cancelled : PreflightOutcome::Checked;
    if (summary.outcome == PreflightOutcome::Checked)
        progress(table->recordCount());
    return summary;
}

} // namespace vorela
