// Adding and removing tasks and operators: checks first, then the template locks, then one
// registry transaction that writes the whole layout or nothing.
#include "stores/TaskConfiguration.h"

#include "platform/CodePage.h"
#include "platform/NamedMutex.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "stores/Alias.h"
#include "stores/Operator.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "stores/TemplateLocks.h"
#include "tables/DbfTable.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vorela {

namespace {

// A template lock is a file named after task and operator: it must fit the file system's limit,
// which is tighter than the registry's 255 characters of a key name.
constexpr std::size_t MaxLockFileBytes = 255;

std::string inQuotes(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

bool isValidUtf8(std::string_view text)
{
    std::string again;
    for (std::size_t pos = 0; pos < text.size();)
        appendUtf8(again, decodeUtf8(text, pos));
    return again == text;
}

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char character) {
        const auto byte = static_cast<unsigned char>(character);
        return byte < 0x20 || byte == 0x7F;
    });
}

// The key `name` below parent, closed when there is none; a name that is no single key name
// (empty, or reaching further with '\') names none. Other names are looked up as they are:
// another program may have stored one this tool would not create.
RegistryKey childKey(const RegistryKey &parent, std::string_view name)
{
    if (name.empty() || name.find('\\') != std::string_view::npos)
        return {};
    return parent.openKey(name);
}

TaskChangeResult refused(std::string error)
{
    return {.error = std::move(error), .notice = {}};
}

// The task's key, its name as stored; closed when there is no such task.
RegistryKey findTask(RegistryStore &store, std::string_view task)
{
    return childKey(store.openKey(TasksRootPath), task);
}

// The task found before the locks, found again by its name inside the change's transaction: that
// key may be gone and its id given to a key made since. Closed when the name is gone.
RegistryKey currentTask(RegistryStore &store, const RegistryKey &found)
{
    const RegistryKey now = findTask(store, found.name());
    return now.isOpen() && now.name() == found.name() ? now : RegistryKey();
}

TaskChangeResult goneMeanwhile(std::string_view task)
{
    return refused("task " + inQuotes(task) +
                   " was removed meanwhile, or cannot be read; nothing was changed");
}

std::string operatorLabel(std::string_view task, std::string_view operatorName)
{
    return "task " + inQuotes(task) + ", operator " + inQuotes(operatorName);
}

} // namespace

TaskConfiguration::TaskConfiguration(RegistryStore &registryStore, const DataDirectory &directory,
                                     std::chrono::milliseconds wait)
    : store(registryStore), dataDirectory(directory), lockWait(wait)
{
}

std::string TaskConfiguration::nameProblem(std::string_view name)
{
    if (name.empty())
        return "the name is empty";
    if (!isValidUtf8(name))
        return "the name is not valid UTF-8";
    if (name.find('\\') != std::string_view::npos)
        return "the name contains '\\', which separates registry keys";
    if (hasControlCharacter(name))
        return "the name contains a control character";
    if (name.front() == ' ' || name.back() == ' ')
        return "the name begins or ends with a blank";
    return {};
}

std::string TaskConfiguration::lockNameProblem(const std::string &lockName) const
{
    // Shortened lock names are for names imported from elsewhere: the notification application
    // cannot lock a template under a name the file system refuses, so none is made here.
    const std::string plain = NamedMutex::plainLockFileName(lockName);
    if (plain.size() <= MaxLockFileBytes)
        return {};
    return "the names are too long together: the template lock file " + plain +
           " would be longer than " + std::to_string(MaxLockFileBytes) + " bytes";
}

static std::string storeFailure(const RegistryStore &store)
{
    return store.file().string() + ": the registry store is busy or cannot be written; nothing "
                                   "was changed";
}

static std::string tableProblem(const std::filesystem::path &tableFile,
                                std::filesystem::path &absolute)
{
    const std::optional<std::filesystem::path> resolved = resolveTablePath(tableFile);
    if (!resolved)
        return tableFile.string() + ": no such table file";
    std::string error;
    const std::optional<DbfTable> table = DbfTable::open(*resolved, error);
    std::optional<std::vector<std::uint8_t>> record;
    if (!table || !table->firstLiveRecord(record, error))
        return error;
    absolute = *resolved;
    return {};
}

TaskChangeResult TaskConfiguration::addTask(const std::string &task,
                                            const std::filesystem::path &tableFile,
                                            const std::string &comment)
{
    if (const std::string problem = nameProblem(task); !problem.empty())
        return refused("task " + inQuotes(task) + ": " + problem);
    // Room for at least a one-letter operator in the template lock's file name.
    if (NamedMutex::plainLockFileName(task).size() >= MaxLockFileBytes)
        return refused("task " + inQuotes(task) + ": the name is too long for a template lock");
    std::filesystem::path table;
    if (const std::string problem = tableProblem(tableFile, table); !problem.empty())
        return refused(problem);

    RegistryTransaction transaction(store);
    const RegistryKey tasksRoot = store.createKey(TasksRootPath);
    if (const RegistryKey existing = childKey(tasksRoot, task); existing.isOpen())
        return refused("task " + inQuotes(existing.name()) + " exists already");
    const Alias alias(tasksRoot, task, dataDirectory);
    const RegistryKey &taskKey = alias.taskKey();
    if (!taskKey.isOpen() || !alias.hasAllDefaults() ||
        !taskKey.writeString(TaskFileValue, table.string()) ||
        !taskKey.writeString(TaskCommValue, comment) || !transaction.commit())
        return refused(storeFailure(store));
    return {};
}

TaskChangeResult TaskConfiguration::removeTask(const std::string &task)
{
    const RegistryKey taskKey = findTask(store, task);
    if (!taskKey.isOpen())
        return refused("no task " + inQuotes(task));
    std::optional<std::vector<std::string>> operatorNames =
        taskKey.openKey(OperatorsKeyName).readSubkeyNames();
    if (!operatorNames)
        return refused(storeFailure(store));
    std::sort(operatorNames->begin(), operatorNames->end());
    TemplateLocks locks(dataDirectory, lockWait);
    for (const std::string &operatorName : *operatorNames) {
        const std::string error =
            locks.take(taskKey.name() + operatorName, operatorLabel(taskKey.name(), operatorName));
        if (!error.empty())
            return refused(error);
    }

    RegistryTransaction transaction(store);
    const RegistryKey nowTask = currentTask(store, taskKey);
    if (transaction.isActive() && !nowTask.isOpen())
        return goneMeanwhile(taskKey.name());
    std::optional<std::vector<std::string>> nowNames =
        nowTask.openKey(OperatorsKeyName).readSubkeyNames();
    if (nowNames)
        std::sort(nowNames->begin(), nowNames->end());
    // An operator added since the locks were taken has a template nobody locked.
    if (transaction.isActive() && nowNames != operatorNames)
        return refused("the operators of task " + inQuotes(taskKey.name()) +
                       " changed meanwhile; nothing was changed, run the command again");
    if (!store.openKey(TasksRootPath).deleteSubkeyTree(taskKey.name()) || !transaction.commit())
        return refused(storeFailure(store));
    return {};
}

TaskChangeResult TaskConfiguration::addOperator(const std::string &task,
                                                const std::string &operatorName)
{
    const RegistryKey taskKey = findTask(store, task);
    if (!taskKey.isOpen())
        return refused("no task " + inQuotes(task));
    const std::string label = operatorLabel(taskKey.name(), operatorName);
    if (const std::string problem = nameProblem(operatorName); !problem.empty())
        return refused(label + ": " + problem);
    const std::string lockName = taskKey.name() + operatorName;
    if (const std::string problem = lockNameProblem(lockName); !problem.empty())
        return refused(label + ": " + problem);
    TemplateLocks locks(dataDirectory, lockWait);
    if (const std::string error = locks.take(lockName, label); !error.empty())
        return refused(error);

    RegistryTransaction transaction(store);
    const RegistryKey nowTask = currentTask(store, taskKey);
    if (transaction.isActive() && !nowTask.isOpen())
        return goneMeanwhile(taskKey.name());
    const RegistryKey operatorsKey = nowTask.createKey(OperatorsKeyName);
    if (const RegistryKey existing = childKey(operatorsKey, operatorName); existing.isOpen())
        return refused(operatorLabel(taskKey.name(), existing.name()) + " exists already");
    const Operator added(operatorsKey, operatorName, taskKey.name(), dataDirectory);
    if (!added.operatorKey().isOpen() || !added.hasAllDefaults() || !transaction.commit())
        return refused(storeFailure(store));
    return {};
}

TaskChangeResult TaskConfiguration::removeOperator(const std::string &task,
                                                   const std::string &operatorName)
{
    const RegistryKey taskKey = findTask(store, task);
    if (!taskKey.isOpen())
        return refused("no task " + inQuotes(task));
    const RegistryKey operatorsKey = taskKey.openKey(OperatorsKeyName);
    const RegistryKey operatorKey = childKey(operatorsKey, operatorName);
    if (!operatorKey.isOpen())
        return refused("no operator " + inQuotes(operatorName) + " in task " +
                       inQuotes(taskKey.name()));
    TemplateLocks locks(dataDirectory, lockWait);
    const std::string error = locks.take(taskKey.name() + operatorKey.name(),
                                         operatorLabel(taskKey.name(), operatorKey.name()));
    if (!error.empty())
        return refused(error);

    RegistryTransaction transaction(store);
    const RegistryKey nowOperators = currentTask(store, taskKey).openKey(OperatorsKeyName);
    if (transaction.isActive() && !childKey(nowOperators, operatorKey.name()).isOpen())
        return refused(operatorLabel(taskKey.name(), operatorKey.name()) +
                       " was removed meanwhile, or cannot be read; nothing was changed");
    if (!nowOperators.deleteSubkeyTree(operatorKey.name()) || !transaction.commit())
        return refused(storeFailure(store));
    if (!nowOperators.subkeyNames().empty())
        return {};
    return {.error = {},
            .notice = "task " + inQuotes(taskKey.name()) +
                      " has no operator left: the notification application has no template "
                      "to speak for it"};
}

} // namespace vorela
