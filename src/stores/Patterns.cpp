// One operator's template: a chain of items read and changed under the template's named mutex,
// each change in one registry transaction on the template key found by its names.
#include "stores/Patterns.h"

#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "platform/TextParsing.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "stores/SiblingChain.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace vorela {

// A single subkey name: a name with '\' would reach into another key, an empty one the template.
static bool isItemName(std::string_view name)
{
    return !name.empty() && name.find('\\') == std::string_view::npos;
}

static bool sameName(std::string_view left, std::string_view right)
{
    return foldRegistryName(left) == foldRegistryName(right);
}

// The head of the chain other than except: "" when there is none, empty when a read failed.
static std::optional<std::string> findHead(const RegistryKey &templ, std::string_view except)
{
    const std::optional<std::vector<RegistryKey>> items = templ.readSubkeys();
    if (!items)
        return std::nullopt;
    for (const RegistryKey &itemKey : *items) {
        const std::optional<std::string> prev = readLink(itemKey, TemplateValue::Prev);
        if (!prev)
            return std::nullopt;
        if (prev->empty() && !sameName(itemKey.name(), except))
            return itemKey.name();
    }
    return std::string();
}

static std::optional<std::string> nextItemName(const RegistryKey &templ)
{
    const std::optional<std::vector<std::string>> names = templ.readSubkeyNames();
    if (!names)
        return std::nullopt;
    std::uint64_t largest = 0;
    for (const std::string &itemName : *names)
        largest = std::max(largest, leadingNumber(itemName));
    char formatted[24];
    std::snprintf(formatted, sizeof formatted, "%04llu",
                  static_cast<unsigned long long>(largest + 1));
    return std::string(formatted);
}

// Takes the item out of the chain, joining its neighbours; the item's own links stay as they were.
static bool unlink(const RegistryKey &templ, const RegistryKey &itemKey)
{
    const std::optional<std::string> prev = readLink(itemKey, TemplateValue::Prev);
    const std::optional<std::string> next = readLink(itemKey, TemplateValue::Next);
    if (!prev || !next)
        return false;
    if (!next->empty() && !templ.openKey(*next).writeString(TemplateValue::Prev, *prev))
        return false;
    return prev->empty() || templ.openKey(*prev).writeString(TemplateValue::Next, *next);
}

// Links an item that is in no chain (new, or just unlinked) right after afterName, or at the head.
static bool linkAfter(const RegistryKey &templ, const std::string &afterName,
                      const std::string &itemName)
{
    const RegistryKey afterKey = afterName.empty() ? RegistryKey() : templ.openKey(afterName);
    const std::optional<std::string> successor = afterName.empty()
                                                     ? findHead(templ, /*except=*/itemName)
                                                     : readLink(afterKey, TemplateValue::Next);
    if (!successor)
        return false;
    if (!successor->empty() &&
        !templ.openKey(*successor).writeString(TemplateValue::Prev, itemName))
        return false;
    if (!afterName.empty() && !afterKey.writeString(TemplateValue::Next, itemName))
        return false;
    const RegistryKey itemKey = templ.openKey(itemName);
    return itemKey.writeString(TemplateValue::Prev, afterName) &&
           itemKey.writeString(TemplateValue::Next, *successor);
}

Patterns::Patterns(const RegistryKey &operatorKey, const std::string &name, std::string lockName,
                   const DataDirectory &dataDirectory)
    : store(operatorKey.owner()), key(operatorKey.createKey(name)),
      mutex(dataDirectory, std::move(lockName))
{
}

bool Patterns::fail(TemplateFailure failure, std::string reason)
{
    result = {failure, std::move(reason)};
    return false;
}

bool Patterns::lockTemplate()
{
    result = {};
    if (!wait.keepWaiting) {
        return mutex.lock() || fail(TemplateFailure::LockUnusable, mutex.lastError());
    }
    while (!mutex.lockFor(wait.slice)) {
        if (!mutex.lastError().empty())
            return fail(TemplateFailure::LockUnusable, mutex.lastError());
        if (!wait.keepWaiting())
            return fail(TemplateFailure::Busy, "the template " + key.path() +
                                                   " is locked by another process (lock '" +
                                                   mutex.name() + "')");
    }
    return true;
}

RegistryKey Patterns::currentKey()
{
    if (store == nullptr || !key.isOpen()) {
        fail(TemplateFailure::StoreFailed, "the template key could not be opened");
        return {};
    }
    const std::optional<RegistryKey> current = key.reopen();
    if (!current) {
        fail(TemplateFailure::StoreFailed,
             store->file().string() + ": the template " + key.path() + " cannot be read");
        return {};
    }
    if (!current->isOpen())
        fail(TemplateFailure::Gone, "the template " + key.path() + " is no longer in the store");
    return *current;
}

template <typename Change> bool Patterns::changeTemplate(Change change)
{
    if (!lockTemplate())
        return false;
    const NamedMutexLock guard(mutex, std::adopt_lock);
    RegistryTransaction transaction(*store);
    const RegistryKey templ = currentKey();
    if (!templ.isOpen())
        return false;
    if (!change(templ))
        return result.ok() ? fail(TemplateFailure::StoreFailed,
                                  store->file().string() + ": the template " + key.path() +
                                      " cannot be changed; nothing was changed")
                           : false;
    return transaction.commit() ||
           fail(TemplateFailure::StoreFailed, store->file().string() +
                                                  ": the change of the template " + key.path() +
                                                  " could not be committed; nothing was changed");
}

// Text and chunk come from the lexeme node as it is now; a node that is gone gives empty ones.
bool Patterns::readItem(const RegistryKey &itemKey, const RegistryKey &lexemeRoot,
                        PatternItem &item) const
{
    item.name = itemKey.name();
    const std::optional<std::string> path = readLink(itemKey, TemplateValue::Path);
    const std::optional<std::string> arg = readLink(itemKey, TemplateValue::Arg);
    const std::optional<std::string> prev = readLink(itemKey, TemplateValue::Prev);
    const std::optional<std::string> next = readLink(itemKey, TemplateValue::Next);
    if (!path || !arg || !prev || !next)
        return false;
    item.path = *path;
    item.arg = *arg;
    item.prev = *prev;
    item.next = *next;
    if (item.path.empty() || !lexemeRoot.isOpen())
        return true;
    const std::optional<RegistryKey> lexeme = lexemeRoot.findKey(item.path);
    if (!lexeme)
        return false;
    const std::optional<std::string> text = readLink(*lexeme, LexemeValue::Text);
    const std::optional<std::string> chunk = readLink(*lexeme, LexemeValue::Chunk);
    item.text = text.value_or("");
    item.chunk = chunk.value_or("");
    return !lexeme->isOpen() || (text && chunk);
}

std::optional<std::vector<PatternItem>> Patterns::readItems(const RegistryKey &templ)
{
    const std::optional<RegistryKey> lexemeRoot = store->localMachine().findKey(LexemeRootPath);
    if (!lexemeRoot)
        return std::nullopt;
    const std::optional<std::vector<RegistryKey>> chained =
        readChainedSubkeys(templ, TemplateValue::Prev, TemplateValue::Next);
    if (!chained)
        return std::nullopt;
    std::vector<PatternItem> items;
    for (const RegistryKey &itemKey : *chained) {
        if (!readItem(itemKey, *lexemeRoot, items.emplace_back()))
            return std::nullopt;
    }
    return items;
}

std::vector<PatternItem> Patterns::GetTemplate()
{
    if (!lockTemplate())
        return {};
    const NamedMutexLock guard(mutex, std::adopt_lock);
    const RegistryReadTransaction snapshot(*store);
    const RegistryKey templ = currentKey();
    if (!templ.isOpen())
        return {};
    std::optional<std::vector<PatternItem>> items = readItems(templ);
    if (!items) {
        fail(TemplateFailure::StoreFailed,
             store->file().string() + ": the template " + key.path() + " cannot be read");
        return {};
    }
    return std::move(*items);
}

bool Patterns::InsertTemplateItem(const std::string &afterName, const PatternItem &item,
                                  std::string &newName)
{
    std::string itemName;
    const bool inserted = changeTemplate([&](const RegistryKey &templ) {
        if (!afterName.empty() && (!isItemName(afterName) || !templ.openKey(afterName).isOpen()))
            return fail(TemplateFailure::Refused, "no item '" + afterName + "' in the template");
        const std::optional<std::string> nextName = nextItemName(templ);
        if (!nextName)
            return false;
        itemName = *nextName;
        const RegistryKey itemKey = templ.createKey(itemName);
        return itemKey.isOpen() && itemKey.writeString(TemplateValue::Path, item.path) &&
               itemKey.writeString(TemplateValue::Arg, item.arg) &&
               linkAfter(templ, afterName, itemName);
    });
    if (inserted)
        newName = itemName;
    return inserted;
}

bool Patterns::RemoveTemplateItem(const std::string &itemName)
{
    return changeTemplate([&](const RegistryKey &templ) {
        const RegistryKey itemKey = isItemName(itemName) ? templ.openKey(itemName) : RegistryKey();
        if (!itemKey.isOpen())
            return fail(TemplateFailure::Refused, "no item '" + itemName + "' in the template");
        const std::optional<std::string> prev = readLink(itemKey, TemplateValue::Prev);
        const std::optional<std::string> next = readLink(itemKey, TemplateValue::Next);
        if (!prev || !next || !DeleteKeyTree(templ, itemName))
            return false;
        const RegistryKey prevKey = prev->empty() ? RegistryKey() : templ.openKey(*prev);
        const RegistryKey nextKey = next->empty() ? RegistryKey() : templ.openKey(*next);
        return (!prevKey.isOpen() || prevKey.writeString(TemplateValue::Next, *next)) &&
               (!nextKey.isOpen() || nextKey.writeString(TemplateValue::Prev, *prev));
    });
}

bool Patterns::MoveTemplateItem(const std::string &afterName, const std::string &itemName)
{
    if (sameName(itemName, afterName))
        return true;
    return changeTemplate([&](const RegistryKey &templ) {
        const RegistryKey itemKey = isItemName(itemName) ? templ.openKey(itemName) : RegistryKey();
        // Checked before anything is unlinked, so a move after a missing item loses nothing.
        const bool afterFound =
            afterName.empty() || (isItemName(afterName) && templ.openKey(afterName).isOpen());
        if (!itemKey.isOpen() || !afterFound)
            return fail(TemplateFailure::Refused,
                        "no item '" + itemName + "' or '" + afterName + "' in the template");
        const std::optional<std::string> prev = readLink(itemKey, TemplateValue::Prev);
        if (!prev)
            return false;
        if (sameName(*prev, afterName))
            return true;
        return unlink(templ, itemKey) && linkAfter(templ, afterName, itemName);
    });
}

bool Patterns::UpdateTemplateItem(const std::string &itemName, const PatternItem &item)
{
    return changeTemplate([&](const RegistryKey &templ) {
        const RegistryKey itemKey = isItemName(itemName) ? templ.openKey(itemName) : RegistryKey();
        if (!itemKey.isOpen())
            return fail(TemplateFailure::Refused, "no item '" + itemName + "' in the template");
        return itemKey.writeString(TemplateValue::Path, item.path) &&
               itemKey.writeString(TemplateValue::Arg, item.arg);
    });
}

} // namespace vorela
