// One operator's template: a chain of items read and changed under the template's named mutex,
// each change in one registry transaction.
#include "stores/Patterns.h"

#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "platform/TextParsing.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "stores/SiblingChain.h"

#include <algorithm>
#include <cstdio>

namespace vorela {

static std::string linkOf(const RegistryKey &itemKey, std::string_view link)
{
    return itemKey.readString(link).value_or("");
}

// A single subkey name: a name with '\' would reach into another key, an empty one the template.
static bool isItemName(std::string_view name)
{
    return !name.empty() && name.find('\\') == std::string_view::npos;
}

static bool sameName(std::string_view left, std::string_view right)
{
    return foldRegistryName(left) == foldRegistryName(right);
}

Patterns::Patterns(const RegistryKey &operatorKey, const std::string &name, std::string lockName,
                   const DataDirectory &dataDirectory)
    : store(operatorKey.owner()), key(operatorKey.createKey(name)),
      mutex(dataDirectory, std::move(lockName))
{
}

std::string Patterns::findHead(std::string_view except) const
{
    for (const RegistryKey &itemKey : key.subkeys()) {
        if (linkOf(itemKey, TemplateValue::Prev).empty() && !sameName(itemKey.name(), except))
            return itemKey.name();
    }
    return {};
}

std::string Patterns::nextItemName() const
{
    std::uint64_t largest = 0;
    for (const std::string &itemName : key.subkeyNames())
        largest = std::max(largest, leadingNumber(itemName));
    char formatted[24];
    std::snprintf(formatted, sizeof formatted, "%04llu",
                  static_cast<unsigned long long>(largest + 1));
    return formatted;
}

// Text and chunk come from the lexeme node as it is now; a node that is gone gives empty ones.
PatternItem Patterns::readItem(const RegistryKey &itemKey, const RegistryKey &lexemeRoot) const
{
    PatternItem item;
    item.name = itemKey.name();
    item.path = linkOf(itemKey, TemplateValue::Path);
    if (!item.path.empty() && lexemeRoot.isOpen()) {
        const RegistryKey lexeme = lexemeRoot.openKey(item.path);
        item.text = lexeme.readString(LexemeValue::Text).value_or("");
        item.chunk = lexeme.readString(LexemeValue::Chunk).value_or("");
    }
    item.arg = linkOf(itemKey, TemplateValue::Arg);
    item.prev = linkOf(itemKey, TemplateValue::Prev);
    item.next = linkOf(itemKey, TemplateValue::Next);
    return item;
}

std::vector<PatternItem> Patterns::GetTemplate()
{
    const NamedMutexLock guard(mutex);
    if (!guard.isLocked() || store == nullptr)
        return {};
    const RegistryReadTransaction snapshot(*store);
    const RegistryKey lexemeRoot = store->openKey(LexemeRootPath);
    std::vector<PatternItem> items;
    for (const RegistryKey &itemKey : chainedSubkeys(key, TemplateValue::Prev, TemplateValue::Next))
        items.push_back(readItem(itemKey, lexemeRoot));
    return items;
}

bool Patterns::InsertTemplateItem(const std::string &afterName, const PatternItem &item,
                                  std::string &newName)
{
    const NamedMutexLock guard(mutex);
    if (!guard.isLocked() || store == nullptr)
        return false;
    if (!afterName.empty() && (!isItemName(afterName) || !key.openKey(afterName).isOpen()))
        return false;
    RegistryTransaction transaction(*store);
    const std::string itemName = nextItemName();
    const RegistryKey itemKey = key.createKey(itemName);
    const bool written = itemKey.isOpen() && itemKey.writeString(TemplateValue::Path, item.path) &&
                         itemKey.writeString(TemplateValue::Arg, item.arg) &&
                         linkAfter(afterName, itemName);
    if (!written || !transaction.commit())
        return false;
    newName = itemName;
    return true;
}

bool Patterns::RemoveTemplateItem(const std::string &itemName)
{
    const NamedMutexLock guard(mutex);
    if (!guard.isLocked() || store == nullptr)
        return false;
    if (!isItemName(itemName))
        return false;
    RegistryTransaction transaction(*store);
    const RegistryKey itemKey = key.openKey(itemName);
    if (!itemKey.isOpen())
        return false;
    const std::string prev = linkOf(itemKey, TemplateValue::Prev);
    const std::string next = linkOf(itemKey, TemplateValue::Next);
    if (!DeleteKeyTree(key, itemName))
        return false;
    const RegistryKey prevKey = prev.empty() ? RegistryKey() : key.openKey(prev);
    const RegistryKey nextKey = next.empty() ? RegistryKey() : key.openKey(next);
    const bool relinked = (!prevKey.isOpen() || prevKey.writeString(TemplateValue::Next, next)) &&
                          (!nextKey.isOpen() || nextKey.writeString(TemplateValue::Prev, prev));
    return relinked && transaction.commit();
}

// Takes the item out of the chain, joining its neighbours; the item's own links stay as they were.
bool Patterns::unlink(const RegistryKey &itemKey)
{
    const std::string prev = linkOf(itemKey, TemplateValue::Prev);
    const std::string next = linkOf(itemKey, TemplateValue::Next);
    if (!next.empty() && !key.openKey(next).writeString(TemplateValue::Prev, prev))
        return false;
    return prev.empty() || key.openKey(prev).writeString(TemplateValue::Next, next);
}

// Links an item that is in no chain (new, or just unlinked) right after afterName, or at the head.
bool Patterns::linkAfter(const std::string &afterName, const std::string &itemName)
{
    std::string successor;
    if (afterName.empty()) {
        successor = findHead(/*except=*/itemName);
        if (!successor.empty() &&
            !key.openKey(successor).writeString(TemplateValue::Prev, itemName))
            return false;
    } else {
        const RegistryKey afterKey = key.openKey(afterName);
        successor = linkOf(afterKey, TemplateValue::Next);
        if (!successor.empty() &&
            !key.openKey(successor).writeString(TemplateValue::Prev, itemName))
            return false;
        if (!afterKey.writeString(TemplateValue::Next, itemName))
            return false;
    }
    const RegistryKey itemKey = key.openKey(itemName);
    return itemKey.writeString(TemplateValue::Prev, afterName) &&
           itemKey.writeString(TemplateValue::Next, successor);
}

bool Patterns::MoveTemplateItem(const std::string &afterName, const std::string &itemName)
{
    if (sameName(itemName, afterName))
        return true;
    const NamedMutexLock guard(mutex);
    if (!guard.isLocked() || store == nullptr)
        return false;
    if (!isItemName(itemName) || (!afterName.empty() && !isItemName(afterName)))
        return false;
    RegistryTransaction transaction(*store);
    const RegistryKey itemKey = key.openKey(itemName);
    if (!itemKey.isOpen())
        return false;
    if (sameName(linkOf(itemKey, TemplateValue::Prev), afterName))
        return true;
    // Checked before anything is unlinked, so a move after a missing item loses nothing.
    if (!afterName.empty() && !key.openKey(afterName).isOpen())
        return false;
    return unlink(itemKey) && linkAfter(afterName, itemName) && transaction.commit();
}

bool Patterns::UpdateTemplateItem(const std::string &itemName, const PatternItem &item)
{
    const NamedMutexLock guard(mutex);
    if (!guard.isLocked() || store == nullptr)
        return false;
    if (!isItemName(itemName))
        return false;
    RegistryTransaction transaction(*store);
    const RegistryKey itemKey = key.openKey(itemName);
    return itemKey.isOpen() && itemKey.writeString(TemplateValue::Path, item.path) &&
           itemKey.writeString(TemplateValue::Arg, item.arg) && transaction.commit();
}

} // namespace vorela
