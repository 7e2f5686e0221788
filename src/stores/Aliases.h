// The task configuration (HKLM "Software\vorela\Tasks\"): tasks, operators and their templates,
// with a facade that reaches a template by task and operator name.
#pragma once

#include "platform/RegistryKey.h"
#include "stores/Alias.h"
#include "stores/PatternItem.h"
#include "stores/Patterns.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class DataDirectory;
class RegistryStore;

/// Loaded once (the tree of tasks and operators does not follow later changes until a new
/// Aliases is built); templates are read afresh on every call. Loading creates the missing fixed
/// subkeys and default values and leaves every other value untouched. Task and operator names
/// match exactly, first match in load order. Locks: Aliases, then Operators, then the template's
/// mutex, held together.
class Aliases {
public:
    /// Loads every task from the registry store; template mutexes live in dataDirectory's locks/.
    Aliases(RegistryStore &store, const DataDirectory &dataDirectory);

    /// Tasks' names in load order.
    [[nodiscard]] std::vector<std::string> GetTaskNames() const;
    /// The task's "File" (created empty when missing); "" and found = false for no such task.
    [[nodiscard]] std::string GetFile(const std::string &task, bool &found) const;
    [[nodiscard]] std::string GetFile(const std::string &task) const;
    /// The task's "Comm", like GetFile.
    [[nodiscard]] std::string GetComm(const std::string &task, bool &found) const;
    [[nodiscard]] std::string GetComm(const std::string &task) const;
    /// The task's operators' names in load order; empty and found = false for no such task.
    [[nodiscard]] std::vector<std::string> GetOperatorNames(const std::string &task,
                                                            bool &found) const;
    [[nodiscard]] std::vector<std::string> GetOperatorNames(const std::string &task) const;
    /// The task's name as stored for a name in any letter case, matched as the registry matches
    /// key names; empty when there is no such task.
    [[nodiscard]] std::optional<std::string> storedTaskName(std::string_view task) const;
    /// The same for an operator of the task (named as stored); empty when either is missing.
    [[nodiscard]] std::optional<std::string>
    storedOperatorName(const std::string &task, std::string_view operatorName) const;
    /// The operator's template in chain order; found = false when task or operator is missing.
    [[nodiscard]] std::vector<PatternItem>
    GetTemplate(const std::string &task, const std::string &operatorName, bool &found);
    [[nodiscard]] std::vector<PatternItem> GetTemplate(const std::string &task,
                                                       const std::string &operatorName);
    /// The Patterns operations by task and operator name; false when either is missing.
    [[nodiscard]] bool InsertTemplateItem(const std::string &task, const std::string &operatorName,
                                          const std::string &afterName, const PatternItem &item,
                                          std::string &newName);
    [[nodiscard]] bool RemoveTemplateItem(const std::string &task, const std::string &operatorName,
                                          const std::string &itemName);
    [[nodiscard]] bool MoveTemplateItem(const std::string &task, const std::string &operatorName,
                                        const std::string &afterName, const std::string &itemName);
    [[nodiscard]] bool UpdateTemplateItem(const std::string &task, const std::string &operatorName,
                                          const std::string &itemName, const PatternItem &item);

    /// How template operations wait for a template another process holds locked: keepWaiting
    /// (given task and operator) is asked after every slice; false gives up. Without it (the
    /// default) they wait without limit.
    void setTemplateWait(std::function<bool(const std::string &, const std::string &)> keepWaiting,
                         std::chrono::milliseconds slice);
    /// What became of the last template operation through this object (a missing task or
    /// operator is Gone); the operations above return false or no items when it failed.
    [[nodiscard]] TemplateResult lastTemplateResult() const;

    /// Whether the load found or wrote every fixed subkey and default value; false when some
    /// could not be written (the store busy or failing): they read as empty until a later load.
    [[nodiscard]] bool hasAllDefaults() const { return defaultsStored; }
    /// The loaded tasks, for views that walk the whole configuration.
    [[nodiscard]] const std::vector<std::unique_ptr<Alias>> &tasks() const { return aliases; }

private:
    /// Builds the list of tasks afresh.
    void load(const DataDirectory &dataDirectory);
    [[nodiscard]] Alias *findTask(const std::string &task) const;
    [[nodiscard]] std::string taskValue(const std::string &task, std::string_view valueName,
                                        bool &found) const;
    template <typename Result, typename Call>
    Result withPatterns(const std::string &task, const std::string &operatorName, Result missing,
                        Call call);

    RegistryKey key;
    std::vector<std::unique_ptr<Alias>> aliases;
    std::function<bool(const std::string &, const std::string &)> waitQuestion;
    std::chrono::milliseconds waitSlice{0};
    TemplateResult templateResult;
    bool defaultsStored = false;
    mutable std::recursive_mutex lock;
};

} // namespace vorela
