// Changes of a lexeme node's children: new nodes at the tail, after a sibling or among the
// folders, and removal. Each change is one registry transaction; memory follows only on success.
#include "stores/LexItem.h"

#include "platform/RegistryStore.h"
#include "platform/TextParsing.h"
#include "stores/SiblingChain.h"

#include <algorithm>

namespace vorela {

// Numbering also counts subkeys the chain does not reach, so a new node never reuses (and merges
// into) a key left over in a damaged tree.
std::string LexItem::nextChildName() const
{
    std::uint64_t largest = 0;
    for (const std::shared_ptr<LexItem> &child : children)
        largest = std::max(largest, leadingNumber(child->name));
    for (const std::string &subkeyName : nodeKey.subkeyNames())
        largest = std::max(largest, leadingNumber(subkeyName));
    return std::to_string(largest + 1);
}

RegistryKey LexItem::writeNewChild(const std::string &text, const std::string &chunk, unsigned icon,
                                   unsigned child, unsigned mask, const std::string &keyname)
{
    const RegistryKey childKey = nodeKey.createKey(nextChildName());
    const bool written = childKey.isOpen() && childKey.writeString(LexemeValue::Text, text) &&
                         childKey.writeString(LexemeValue::Text1, text) &&
                         childKey.writeString(LexemeValue::Keyname, keyname) &&
                         childKey.writeString(LexemeValue::Chunk, chunk) &&
                         childKey.writeDword(LexemeValue::Icon, icon) &&
                         childKey.writeString(LexemeValue::Prev, "") &&
                         childKey.writeString(LexemeValue::Next, "") &&
                         childKey.writeDword(LexemeValue::Child, child) &&
                         childKey.writeDword(LexemeValue::Mask, mask);
    return written ? childKey : RegistryKey();
}

// The tail is the first loaded child without a "next"; in a looped chain none has one, and the
// last loaded child takes its place so that appending cuts the loop.
std::string LexItem::findTail() const
{
    for (const std::shared_ptr<LexItem> &child : children) {
        if (child->nodeKey.readString(LexemeValue::Next).value_or("").empty())
            return child->name;
    }
    return children.empty() ? std::string() : children.back()->name;
}

std::string LexItem::findHead() const
{
    for (const std::shared_ptr<LexItem> &child : children) {
        if (child->nodeKey.readString(LexemeValue::Prev).value_or("").empty())
            return child->name;
    }
    return {};
}

// A sibling named by a link: the loaded child, or a subkey the chain does not reach; never created.
RegistryKey LexItem::siblingKey(const std::string &siblingName) const
{
    if (siblingName.empty())
        return {};
    if (const std::shared_ptr<LexItem> child = GetChild(siblingName))
        return child->nodeKey;
    return nodeKey.openKey(siblingName);
}

bool LexItem::isFolderChild(const std::string &childName) const
{
    const std::shared_ptr<LexItem> child = GetChild(childName);
    return child && child->IsFolder();
}

void LexItem::dropLoadedChild(const std::string &childName)
{
    const std::lock_guard guard(lock);
    const int index = FindChild(childName);
    if (index >= 0)
        children.erase(children.begin() + index);
}

std::string LexItem::AppendChild(const std::string &text, const std::string &chunk, unsigned icon,
                                 unsigned child, unsigned mask, const std::string &keyname)
{
    const std::lock_guard guard(lock);
    RegistryStore *store = nodeKey.owner();
    if (store == nullptr)
        return {};
    RegistryTransaction transaction(*store);
    const RegistryKey childKey = writeNewChild(text, chunk, icon, child, mask, keyname);
    if (!childKey.isOpen())
        return {};
    const std::string tail = findTail();
    if (!tail.empty() && (!childKey.writeString(LexemeValue::Prev, tail) ||
                          !siblingKey(tail).writeString(LexemeValue::Next, childKey.name())))
        return {};
    if (!transaction.commit())
        return {};
    children.push_back(
        std::shared_ptr<LexItem>(new LexItem(LoadTag{}, childKey, childKey.name(),
                                             path + childKey.name() + "\\", ReadLanguage(*store))));
    return childKey.name();
}

std::string LexItem::InsertChildAfter(const std::string &afterName, const std::string &text,
                                      unsigned icon, unsigned child, unsigned mask,
                                      const std::string &keyname)
{
    const std::lock_guard guard(lock);
    RegistryStore *store = nodeKey.owner();
    if (store == nullptr || (!afterName.empty() && FindChild(afterName) < 0))
        return {};
    RegistryTransaction transaction(*store);
    const RegistryKey childKey = writeNewChild(text, "", icon, child, mask, keyname);
    if (!childKey.isOpen())
        return {};
    std::string successor;
    if (afterName.empty()) {
        successor = findHead();
    } else {
        const RegistryKey predecessorKey = siblingKey(afterName);
        successor = predecessorKey.readString(LexemeValue::Next).value_or("");
        if (!predecessorKey.writeString(LexemeValue::Next, childKey.name()))
            return {};
    }
    // A "next" naming a key that is gone, or the head (a looped chain), is not carried over: the
    // new node ends the chain there.
    const RegistryKey successorKey = siblingKey(successor);
    if (!successorKey.isOpen() ||
        (!afterName.empty() && successorKey.readString(LexemeValue::Prev).value_or("").empty()))
        successor.clear();
    const bool linked =
        (successor.empty() || successorKey.writeString(LexemeValue::Prev, childKey.name())) &&
        childKey.writeString(LexemeValue::Prev, afterName) &&
        childKey.writeString(LexemeValue::Next, successor);
    if (!linked || !transaction.commit())
        return {};
    children.push_back(
        std::shared_ptr<LexItem>(new LexItem(LoadTag{}, childKey, childKey.name(),
                                             path + childKey.name() + "\\", ReadLanguage(*store))));
    return childKey.name();
}

std::string LexItem::AddToChild(const std::string &childName, const std::string &text,
                                const std::string &chunk, unsigned icon, unsigned child,
                                unsigned mask)
{
    const std::lock_guard guard(lock);
    const std::shared_ptr<LexItem> folder = GetChild(childName);
    if (!folder || nodeKey.owner() == nullptr)
        return {};
    const std::lock_guard folderGuard(folder->lock);
    RegistryTransaction transaction(*nodeKey.owner());
    const std::string newName = folder->AppendChild(text, chunk, icon, child, mask, "");
    if (newName.empty())
        return {};
    if (!folder->writeFolderFlag(1) || !transaction.commit()) {
        folder->dropLoadedChild(newName); // the registry rolled back: memory follows
        return {};
    }
    return newName;
}

std::string LexItem::AddFolderToChild(const std::string &childName, const std::string &text,
                                      unsigned icon, unsigned child, unsigned mask)
{
    const std::lock_guard guard(lock);
    const std::shared_ptr<LexItem> parent = GetChild(childName);
    if (!parent)
        return {};
    const std::lock_guard parentGuard(parent->lock);
    return parent->InsertChildAfter(parent->FindFolderInsertPoint(), text, icon, child, mask, "");
}

// Children added since the load sit at the end of the vector, so folders and their successors
// are paired along the chain, never by position.
std::string LexItem::FindFolderInsertPoint() const
{
    const std::lock_guard guard(lock);
    const std::string tail = findTail();
    if (!tail.empty() && isFolderChild(tail))
        return tail;
    std::vector<ChainLinks> links;
    links.reserve(children.size());
    for (const std::shared_ptr<LexItem> &child : children)
        links.push_back({child->name, child->nodeKey.readString(LexemeValue::Prev).value_or(""),
                         child->nodeKey.readString(LexemeValue::Next).value_or("")});
    const std::vector<std::size_t> order = walkChain(links).order;
    for (std::size_t step = 0; step + 1 < order.size(); ++step) {
        const LexItem &current = *children[order[step]];
        if (current.IsFolder() && !children[order[step + 1]]->IsFolder())
            return current.name;
    }
    return {};
}

bool LexItem::RemoveChild(const std::string &childName)
{
    const std::lock_guard guard(lock);
    const int index = FindChild(childName);
    RegistryStore *store = nodeKey.owner();
    if (index < 0 || store == nullptr)
        return false;
    const RegistryKey &childKey = children[static_cast<std::size_t>(index)]->nodeKey;
    RegistryTransaction transaction(*store);
    const std::string prev = childKey.readString(LexemeValue::Prev).value_or("");
    const std::string next = childKey.readString(LexemeValue::Next).value_or("");
    if (!DeleteKeyTree(nodeKey, childName))
        return false;
    // A link back to the removed node itself (damaged data) has nothing left to relink.
    const RegistryKey successorKey = next == childName ? RegistryKey() : siblingKey(next);
    const RegistryKey predecessorKey = prev == childName ? RegistryKey() : siblingKey(prev);
    const bool relinked =
        (!successorKey.isOpen() || successorKey.writeString(LexemeValue::Prev, prev)) &&
        (!predecessorKey.isOpen() || predecessorKey.writeString(LexemeValue::Next, next));
    if (!relinked || !transaction.commit())
        return false;
    children.erase(children.begin() + index);
    return true;
}

} // namespace vorela
