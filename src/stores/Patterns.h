// One operator's template: a chain of items under the key "Шаблоны", read and changed only under
// the template's named mutex, which the notification application takes too.
#pragma once

#include "platform/NamedMutex.h"
#include "platform/RegistryKey.h"
#include "stores/PatternItem.h"

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

/// Keeps no item in memory: every operation reads the registry afresh under the mutex (waiting
/// without limit) and each change is one registry transaction, so a failure or a crash leaves the
/// chain as it was. New items are named "%04u" of the largest numeric subkey name plus one.
/// A damaged chain reads what it reaches: from the first subkey with an empty "Prev" until a "Next"
/// names a missing item or an item already read; no head reads as an empty template.
class Patterns {
public:
    /// Opens (creating) the key `name` under operatorKey; the mutex is named lockName, the task's
    /// name directly followed by the operator's name.
    Patterns(const RegistryKey &operatorKey, const std::string &name, std::string lockName,
             const DataDirectory &dataDirectory);

    [[nodiscard]] const std::string &lockName() const { return mutex.name(); }
    [[nodiscard]] const RegistryKey &templateKey() const { return key; }

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
    [[nodiscard]] std::string findHead(std::string_view except) const;
    [[nodiscard]] std::string nextItemName() const;
    [[nodiscard]] PatternItem readItem(const RegistryKey &itemKey,
                                       const RegistryKey &lexemeRoot) const;
    [[nodiscard]] bool unlink(const RegistryKey &itemKey);
    [[nodiscard]] bool linkAfter(const std::string &afterName, const std::string &itemName);

    RegistryStore *store; // null when the operator's key could not be opened
    RegistryKey key;
    NamedMutex mutex;
};

} // namespace vorela
