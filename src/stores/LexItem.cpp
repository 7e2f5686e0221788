// The lexeme store's nodes: loading a subtree along its sibling chains, the node's own values,
// lookups by name and path, and the store functions outside the class.
#include "stores/LexItem.h"

#include "platform/RegistryStore.h"
#include "platform/TextParsing.h"
#include "stores/RegistryPaths.h"
#include "stores/SiblingChain.h"

namespace vorela {

static constexpr std::string_view LanguageValue = "Language";

LexItem::LexItem(RegistryStore &store)
    : name(LexemeRootPath), nodeKey(store.createKey(LexemeRootPath)),
      languageSetting(ReadLanguage(store))
{
    const RegistryReadTransaction snapshot(store);
    loadChildren();
}

LexItem::LexItem(const RegistryKey &parentKey, const std::string &nodeName,
                 const std::string &nodePath)
    : name(nodeName), nodeKey(parentKey.createKey(nodeName)), path(nodePath)
{
    if (RegistryStore *store = parentKey.owner()) {
        languageSetting = ReadLanguage(*store);
        const RegistryReadTransaction snapshot(*store);
        loadChildren();
    }
}

LexItem::LexItem(LoadTag, const RegistryKey &ownKey, std::string nodeName, std::string nodePath,
                 int nodeLanguage)
    : name(std::move(nodeName)), nodeKey(ownKey), path(std::move(nodePath)),
      languageSetting(nodeLanguage)
{
    loadChildren();
}

void LexItem::loadChildren()
{
    const std::lock_guard guard(lock);
    for (const RegistryKey &childKey :
         chainedSubkeys(nodeKey, LexemeValue::Prev, LexemeValue::Next))
        children.push_back(std::shared_ptr<LexItem>(new LexItem(
            LoadTag{}, childKey, childKey.name(), path + childKey.name() + "\\", languageSetting)));
}

bool LexItem::reload()
{
    const std::lock_guard guard(lock);
    children.clear();
    RegistryStore *store = nodeKey.owner();
    if (store == nullptr)
        return false;
    const RegistryReadTransaction snapshot(*store);
    std::optional<RegistryKey> fresh = nodeKey.reopen();
    if (!fresh)
        return false;
    nodeKey = std::move(*fresh);
    loadChildren();
    return true;
}

std::vector<std::shared_ptr<LexItem>> LexItem::GetChildren() const
{
    const std::lock_guard guard(lock);
    return children;
}

int LexItem::FindChild(const std::string &childName) const
{
    const std::lock_guard guard(lock);
    for (std::size_t index = 0; index < children.size(); ++index) {
        if (children[index]->name == childName)
            return static_cast<int>(index);
    }
    return -1;
}

std::shared_ptr<LexItem> LexItem::GetChild(const std::string &childName) const
{
    const std::lock_guard guard(lock);
    const int index = FindChild(childName);
    return index < 0 ? nullptr : children[static_cast<std::size_t>(index)];
}

// Locks are taken from this node downward and held until the caller has read the node reached.
const LexItem *LexItem::descend(std::span<const std::string> components,
                                std::vector<std::unique_lock<std::recursive_mutex>> &held) const
{
    held.emplace_back(lock);
    if (components.empty())
        return this;
    const std::shared_ptr<LexItem> child = GetChild(components.front());
    if (!child)
        return nullptr;
    return child->descend(components.subspan(1), held);
}

std::string LexItem::GetTextAt(std::string_view relPath, bool &found) const
{
    const std::vector<std::string> components = parseText(relPath, "\\", "\"'");
    std::vector<std::unique_lock<std::recursive_mutex>> held;
    const LexItem *node = descend(components, held);
    found = node != nullptr;
    return node != nullptr ? node->GetText() : std::string();
}

unsigned LexItem::GetIconAt(std::string_view relPath, bool &found) const
{
    const std::vector<std::string> components = parseText(relPath, "\\", "\"'");
    std::vector<std::unique_lock<std::recursive_mutex>> held;
    const LexItem *node = descend(components, held);
    found = node != nullptr;
    return node != nullptr ? node->GetIcon() : 0;
}

std::string LexItem::textValueName() const
{
    return std::string(languageSetting == 1 ? LexemeValue::Text1 : LexemeValue::Text);
}

std::string LexItem::GetText() const
{
    return nodeKey.stringValue(textValueName());
}

bool LexItem::writeText(const std::string &text) const
{
    RegistryStore *store = nodeKey.owner();
    if (store == nullptr)
        return false;
    const std::string_view other = languageSetting == 1 ? LexemeValue::Text : LexemeValue::Text1;
    RegistryTransaction transaction(*store);
    if (!nodeKey.writeString(textValueName(), text))
        return false;
    if (!nodeKey.hasValue(other) && !nodeKey.writeString(other, text))
        return false;
    return transaction.commit();
}

bool LexItem::SetText(const std::string &text)
{
    return writeText(text);
}

bool LexItem::SetText1(const std::string &text)
{
    return nodeKey.writeString(LexemeValue::Text1, text);
}

bool LexItem::SetChildText(const std::string &childName, const std::string &text)
{
    const std::lock_guard guard(lock);
    const std::shared_ptr<LexItem> child = GetChild(childName);
    if (!child)
        return false;
    const std::lock_guard childGuard(child->lock);
    return child->writeText(text);
}

std::string LexItem::GetKeyname() const
{
    return nodeKey.stringValue(LexemeValue::Keyname);
}

bool LexItem::SetKeyname(const std::string &text)
{
    return nodeKey.writeString(LexemeValue::Keyname, text);
}

std::string LexItem::GetChunk() const
{
    return nodeKey.stringValue(LexemeValue::Chunk);
}

unsigned LexItem::GetIcon() const
{
    return nodeKey.dwordValue(LexemeValue::Icon);
}

unsigned LexItem::GetMask() const
{
    return nodeKey.dwordValue(LexemeValue::Mask);
}

bool LexItem::IsFolder() const
{
    return nodeKey.dwordValue(LexemeValue::Child) != 0;
}

std::string LexItem::GetPrev() const
{
    return nodeKey.stringValue(LexemeValue::Prev);
}

std::string LexItem::GetNext() const
{
    return nodeKey.stringValue(LexemeValue::Next);
}

bool LexItem::SetPrev(const std::string &siblingName)
{
    return nodeKey.writeString(LexemeValue::Prev, siblingName);
}

bool LexItem::SetNext(const std::string &siblingName)
{
    return nodeKey.writeString(LexemeValue::Next, siblingName);
}

bool LexItem::writeFolderFlag(unsigned value) const
{
    return nodeKey.writeDword(LexemeValue::Child, value);
}

bool LexItem::SetFolderFlag(unsigned value)
{
    return writeFolderFlag(value);
}

int ReadLanguage(RegistryStore &store)
{
    return static_cast<int>(store.createKey(EditorKeyPath).dwordValue(LanguageValue));
}

bool storeDefaultLanguage(RegistryStore &store)
{
    const RegistryValue language{.name = std::string(LanguageValue), .type = ValueType::Dword};
    return store.createKey(EditorKeyPath).createDefaults(std::span(&language, 1));
}

int StoredLanguage(RegistryStore &store)
{
    return static_cast<int>(store.openKey(EditorKeyPath).readDword(LanguageValue).value_or(0));
}

bool DeleteKeyTree(const RegistryKey &parentKey, std::string_view name)
{
    return parentKey.deleteSubkeyTree(name);
}

static std::optional<std::string> findChunkBelow(const RegistryKey &folder, const std::string &path,
                                                 std::string_view chunk)
{
    for (const RegistryKey &subkey : folder.subkeys()) {
        const std::string subkeyPath = path + subkey.name() + "\\";
        if (subkey.readDword(LexemeValue::Child).value_or(0) != 0) {
            if (std::optional<std::string> found = findChunkBelow(subkey, subkeyPath, chunk))
                return found;
            continue;
        }
        if (subkey.readString(LexemeValue::Chunk) == chunk)
            return subkeyPath;
    }
    return std::nullopt;
}

std::string FindLexemePath(RegistryStore &store, std::string_view chunk)
{
    const RegistryReadTransaction snapshot(store);
    const RegistryKey root = store.openKey(LexemeRootPath);
    if (!root.isOpen())
        return {};
    return findChunkBelow(root, "", chunk).value_or("");
}

RegistryKey openLexemeNode(RegistryStore &store, std::string_view path)
{
    const RegistryKey root = store.openKey(LexemeRootPath);
    return root.isOpen() ? root.openKey(path) : RegistryKey();
}

} // namespace vorela
