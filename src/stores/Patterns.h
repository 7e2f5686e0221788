// One operator's template: a chain of items under the key "Шаблоны", read and changed only under
// the template's named mutex, which the notification application takes too.
#pragma once

#include "platform/NamedMutex.h"
#include "platform/RegistryKey.h"
#include "stores/PatternItem.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class DataDirectory;
class RegistryStore;

/// Values of a template item key.
namespace TemplateValue {
inline constexpr std::string_view Prev = "Prev";
inline constexpr std::string_view Next = "Next";
inline constexpr std::string_view Path = "Path";
inline constexpr std::string_view Arg = "Arg";
} // namespace TemplateValue

/// Why a template operation did not happen.
enum class TemplateFailure {
    None,
    Busy,         // another process holds the template's lock and the wait gave up
    LockUnusable, // the lock file cannot be opened or locked
    Gone,         // the task, operator or template is no longer in the store
    StoreFailed,  // a read or write of the registry store failed
    Refused       // the item named is not in the template
};

/// The outcome of the last template operation; reason (English) names the lock file, the store
/// or the template.
struct TemplateResult {
    TemplateFailure failure = TemplateFailure::None;
    std::string reason;
    [[nodiscard]] bool ok() const { return failure == TemplateFailure::None; }
};

/// How an operation waits for a template another process holds locked: keepWaiting is asked
/// after every slice the lock stayed taken, and false gives up (TemplateFailure::Busy). Without
/// keepWaiting it waits without limit.
struct TemplateWait {
    std::function<bool()> keepWaiting;
    std::chrono::milliseconds slice{0};
};

/// Keeps no item in memory: every operation reads the registry afresh under the mutex and each
/// change is one registry transaction, so a failure or a crash leaves the chain as it was. The
/// template's key is found by its names under the mutex, inside that transaction: a task removed
/// meanwhile fails the operation (Gone) and a key id reused by another key is never written. New
/// items are named "%04u" of the largest numeric subkey name plus one. A damaged chain reads what
/// it reaches: from the first subkey with an empty "Prev" until a "Next" names a missing item or an
/// item already read; no head reads as an empty template.
class Patterns {
public:
    /// Opens (creating) the key `name` under operatorKey; the mutex is named lockName, the task's
    /// name directly followed by the operator's name.
    Patterns(const RegistryKey &operatorKey, const std::string &name, std::string lockName,
             const DataDirectory &dataDirectory);

    [[nodiscard]] const std::string &lockName() const { return mutex.name(); }
    [[nodiscard]] const RegistryKey &templateKey() const { return key; }
    /// How the operations wait for the lock; without limit unless set.
    void setWait(TemplateWait lockWait) { wait = std::move(lockWait); }
    /// What became of the last operation; each returns false (GetTemplate: no items) when it
    /// failed.
    [[nodiscard]] const TemplateResult &lastResult() const { return result; }

    /// The items in chain order with their lexeme's text and chunk ("" for a missing lexeme).
    [[nodiscard]] std::vector<PatternItem> GetTemplate();
    /// Stores item's path and arg as a new item after afterName (head when empty); its name goes
    /// to newName. False when afterName is not an item or the store fails; nothing changes then.
    [[nodiscard]] bool InsertTemplateItem(const std::string &afterName, const PatternItem &item,
                                          std::string &newName);
    /// Deletes the item (with any subkeys) and relinks its neighbours; false leaves all as it was.
    [[nodiscard]] bool RemoveTemplateItem(const std::string &itemName);
    /// Moves itemName right after afterName (to the head when empty); true without change when
    /// it is already there; false (nothing changed) when either item is missing.
    [[nodiscard]] bool MoveTemplateItem(const std::string &afterName, const std::string &itemName);
    /// Rewrites "Path" and "Arg" of the item; false when it is missing.
    [[nodiscard]] bool UpdateTemplateItem(const std::string &itemName, const PatternItem &item);

private:
    /// Records the failure; false.
    bool fail(TemplateFailure failure, std::string reason);
    /// Takes the mutex as wait allows; false (result set) when it could not.
    [[nodiscard]] bool lockTemplate();
    /// The template key found by its names now; closed (result set) when gone or unreadable.
    [[nodiscard]] RegistryKey currentKey();
    /// Runs change under the mutex in one transaction on the current key; false rolls back.
    template <typename Change> bool changeTemplate(Change change);
    [[nodiscard]] std::optional<std::vector<PatternItem>> readItems(const RegistryKey &templ);
    [[nodiscard]] bool readItem(const RegistryKey &itemKey, const RegistryKey &lexemeRoot,
                                PatternItem &item) const;

    RegistryStore *store; // null when the operator's key could not be opened
    RegistryKey key;
    NamedMutex mutex;
    TemplateWait wait;
    TemplateResult result;
};

} // namespace vorela
