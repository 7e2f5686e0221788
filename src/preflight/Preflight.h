// The check before a mailing: every live record of a task's table spoken through every template
// of the task (or of one operator) as the notification application would, in one pass over the
// table, reporting what a subscriber would not hear whole.
#pragma once

#include "preflight/PreflightProblem.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace vorela {

class Aliases;
class Clock;
class DataDirectory;
class LexItem;
class RegistryStore;

/// What the check reads; all must outlive the call. Nothing is written.
struct PreflightSources {
    Aliases &taskConfig;                // the task's table file and the templates
    RegistryStore &store;               // the lexeme tables and the lexemes' names
    const LexItem &lexemes;             // the items' texts as the task tree shows them
    const DataDirectory &dataDirectory; // the product bank
    const Clock &clock;                 // today and now, for dates and times spoken
};

/// Records between two calls of the progress callback.
inline constexpr std::uint32_t PreflightProgressStep = 1000;

struct PreflightRequest {
    std::string task;         // in any letter case; problems and messages name it as stored
    std::string operatorName; // the same; empty: every operator of the task
    /// Every problem as it is found, in record order; those of every record come first.
    std::function<void(const PreflightProblem &problem)> onProblem;
    /// Records read so far of the header's count (deleted ones included), every
    /// PreflightProgressStep records and once at the end.
    std::function<void(std::uint32_t recordsRead, std::uint32_t recordCount)> onProgress;
    /// Set from any thread to stop the check after the record being checked.
    const std::atomic<bool> *cancel = nullptr;
};

enum class PreflightOutcome { Checked, Cancelled, Failed };

/// Why a check could not run.
enum class PreflightFailure {
    None,
    NoTask,
    NoOperator,
    NoTable,
    UnreadableTable,
    UnreadableBank,
    UnreadableTemplate // a template could not be read: nothing was checked
};

struct PreflightSummary {
    PreflightOutcome outcome = PreflightOutcome::Failed;
    PreflightFailure failure = PreflightFailure::None;
    std::string error;                // for Failed: what could not be read, naming it (English)
    std::uint32_t recordsChecked = 0; // live records
    std::uint32_t recordsWhole = 0;   // of those, the ones every template speaks without a problem
    ProblemCounts problems{};
    /// Checked to the end and nothing found.
    [[nodiscard]] bool speaksWhole() const;
};

/// Runs the check; callbacks are called on the calling thread. Failed when the task, the
/// operator, the table, the bank or a template cannot be had (before any problem is reported),
/// or when the
/// table cannot be read to the end its header promises.
[[nodiscard]] PreflightSummary runPreflight(const PreflightSources &sources,
                                            const PreflightRequest &request);

} // namespace vorela
