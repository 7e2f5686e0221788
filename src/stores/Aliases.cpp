// The task configuration and its facade: a template reached by task and operator name, with the
// Aliases lock, the task's Operators lock and the template's mutex held in that order.
#include "stores/Aliases.h"

#include "platform/RegistryStore.h"
#include "platform/RegistryValue.h"
#include "stores/RegistryPaths.h"

namespace vorela {

// One transaction for the whole load: the defaults it creates land together, and quickly. When
// another writer keeps the store busy, the load still reads everything and creates nothing.
Aliases::Aliases(RegistryStore &store, const DataDirectory &dataDirectory)
    : key(store.createKey(TasksRootPath))
{
    RegistryTransaction transaction(store);
    load(dataDirectory);
    if (transaction.commit() || !transaction.isActive())
        return;
    // The keys the load created went with the failed commit, and their ids go to the next keys
    // created: load again, so that no handle points at one.
    load(dataDirectory);
}

void Aliases::load(const DataDirectory &dataDirectory)
{
    const std::vector<std::string> names = key.subkeyNames();
    const std::lock_guard guard(lock);
    aliases.clear();
    defaultsStored = key.isOpen();
    for (const std::string &taskName : names) {
        aliases.push_back(std::make_unique<Alias>(key, taskName, dataDirectory));
        defaultsStored = defaultsStored && aliases.back()->hasAllDefaults();
    }
}

Alias *Aliases::findTask(const std::string &task) const
{
    for (const std::unique_ptr<Alias> &alias : aliases) {
        if (alias->name() == task)
            return alias.get();
    }
    return nullptr;
}

std::vector<std::string> Aliases::GetTaskNames() const
{
    const std::lock_guard guard(lock);
    std::vector<std::string> names;
    for (const std::unique_ptr<Alias> &alias : aliases)
        names.push_back(alias->name());
    return names;
}

std::string Aliases::taskValue(const std::string &task, std::string_view valueName,
                               bool &found) const
{
    const std::lock_guard guard(lock);
    const Alias *alias = findTask(task);
    found = alias != nullptr;
    return found ? alias->taskKey().stringValue(valueName) : std::string();
}

std::string Aliases::GetFile(const std::string &task, bool &found) const
{
    return taskValue(task, TaskFileValue, found);
}

std::string Aliases::GetFile(const std::string &task) const
{
    bool found = false;
    return taskValue(task, TaskFileValue, found);
}

std::string Aliases::GetComm(const std::string &task, bool &found) const
{
    return taskValue(task, TaskCommValue, found);
}

std::string Aliases::GetComm(const std::string &task) const
{
    bool found = false;
    return taskValue(task, TaskCommValue, found);
}

std::vector<std::string> Aliases::GetOperatorNames(const std::string &task, bool &found) const
{
    const std::lock_guard guard(lock);
    Alias *alias = findTask(task);
    found = alias != nullptr;
    return found ? alias->operators().operatorNames() : std::vector<std::string>();
}

std::vector<std::string> Aliases::GetOperatorNames(const std::string &task) const
{
    bool found = false;
    return GetOperatorNames(task, found);
}

// The one of names that the registry would take for name (folded names are unique per key).
static std::optional<std::string> sameKeyName(const std::vector<std::string> &names,
                                              std::string_view name)
{
    const std::string folded = foldRegistryName(name);
    for (const std::string &candidate : names) {
        if (foldRegistryName(candidate) == folded)
            return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> Aliases::storedTaskName(std::string_view task) const
{
    return sameKeyName(GetTaskNames(), task);
}

std::optional<std::string> Aliases::storedOperatorName(const std::string &task,
                                                       std::string_view operatorName) const
{
    return sameKeyName(GetOperatorNames(task), operatorName);
}

void Aliases::setTemplateWait(
    std::function<bool(const std::string &, const std::string &)> keepWaiting,
    std::chrono::milliseconds slice)
{
    const std::lock_guard guard(lock);
    waitQuestion = std::move(keepWaiting);
    waitSlice = slice;
}

TemplateResult Aliases::lastTemplateResult() const
{
    const std::lock_guard guard(lock);
    return templateResult;
}

template <typename Result, typename Call>
Result Aliases::withPatterns(const std::string &task, const std::string &operatorName,
                             Result missing, Call call)
{
    const std::lock_guard guard(lock);
    templateResult = {TemplateFailure::Gone,
                      "no operator '" + operatorName + "' in a task '" + task + "'"};
    Alias *alias = findTask(task);
    if (alias == nullptr)
        return missing;
    Operators &operators = alias->operators();
    const std::unique_lock operatorsGuard = operators.guard();
    Operator *found = operators.findOperator(operatorName);
    if (found == nullptr)
        return missing;
    Patterns &patterns = found->patterns();
    TemplateWait wait;
    if (waitQuestion)
        wait = {[this, task, operatorName] { return waitQuestion(task, operatorName); }, waitSlice};
    patterns.setWait(std::move(wait));
    Result outcome = call(patterns);
    templateResult = patterns.lastResult();
    return outcome;
}

std::vector<PatternItem> Aliases::GetTemplate(const std::string &task,
                                              const std::string &operatorName, bool &found)
{
    found = false;
    return withPatterns(task, operatorName, std::vector<PatternItem>(), [&](Patterns &patterns) {
        found = true;
        return patterns.GetTemplate();
    });
}

std::vector<PatternItem> Aliases::GetTemplate(const std::string &task,
                                              const std::string &operatorName)
{
    bool found = false;
    return GetTemplate(task, operatorName, found);
}

bool Aliases::InsertTemplateItem(const std::string &task, const std::string &operatorName,
                                 const std::string &afterName, const PatternItem &item,
                                 std::string &newName)
{
    return withPatterns(task, operatorName, false, [&](Patterns &patterns) {
        return patterns.InsertTemplateItem(afterName, item, newName);
    });
}

bool Aliases::RemoveTemplateItem(const std::string &task, const std::string &operatorName,
                                 const std::string &itemName)
{
    return withPatterns(task, operatorName, false,
                        [&](Patterns &patterns) { return patterns.RemoveTemplateItem(itemName); });
}

bool Aliases::MoveTemplateItem(const std::string &task, const std::string &operatorName,
                               const std::string &afterName, const std::string &itemName)
{
    return withPatterns(task, operatorName, false, [&](Patterns &patterns) {
        return patterns.MoveTemplateItem(afterName, itemName);
    });
}

bool Aliases::UpdateTemplateItem(const std::string &task, const std::string &operatorName,
                                 const std::string &itemName, const PatternItem &item)
{
    return withPatterns(task, operatorName, false, [&](Patterns &patterns) {
        return patterns.UpdateTemplateItem(itemName, item);
    });
}

} // namespace vorela
