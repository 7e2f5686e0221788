// Setting up the task configuration the notification application reads: adding and removing tasks
// and their operators, each change whole or not at all.
#pragma once

#include "platform/DataDirectory.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace vorela {

class RegistryStore;

/// What became of one change: error empty when it was made; notice tells of a state worth
/// knowing that is not an error (a task left without operators).
struct TaskChangeResult {
    std::string error;
    std::string notice;
    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Each change is one registry transaction, taken while the template locks of every operator it
/// touches are held, so the notification application never reads a template half made or half
/// removed. Names match as the registry matches them (case-insensitively), and the locks use the
/// names as stored, as the notification application forms them. A refused change writes nothing.
class TaskConfiguration {
public:
    /// lockWait: how long to wait for a template another process has locked before refusing.
    TaskConfiguration(RegistryStore &store, const DataDirectory &dataDirectory,
                      std::chrono::milliseconds lockWait);

    /// A new task without operators, its "File" the absolute path of tableFile, which must be a
    /// readable DBF table; comment goes to "Comm". Adding a task touches no template, so it
    /// takes no template lock.
    [[nodiscard]] TaskChangeResult addTask(const std::string &task,
                                           const std::filesystem::path &tableFile,
                                           const std::string &comment);
    /// Removes the task with its operators and their templates.
    [[nodiscard]] TaskChangeResult removeTask(const std::string &task);
    /// A new operator of the task with an empty template, its ranges and schedules.
    [[nodiscard]] TaskChangeResult addOperator(const std::string &task,
                                               const std::string &operatorName);
    /// Removes the operator with its template; the task stays, even without operators.
    [[nodiscard]] TaskChangeResult removeOperator(const std::string &task,
                                                  const std::string &operatorName);

    /// Why name cannot be a task's or an operator's key name; empty when it can.
    [[nodiscard]] static std::string nameProblem(std::string_view name);

private:
    [[nodiscard]] std::string lockNameProblem(const std::string &lockName) const;

    RegistryStore &store;
    DataDirectory dataDirectory;
    std::chrono::milliseconds lockWait;
};

} // namespace vorela
