// One node of the lexeme store: its registry key, sibling chain links and loaded children.
#pragma once

#include "platform/RegistryKey.h"

#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class RegistryStore;

/// Values of a node key, as the editor writes them (lower case; names match case-insensitively).
namespace LexemeValue {
inline constexpr std::string_view Text = "text";
inline constexpr std::string_view Text1 = "text1";
inline constexpr std::string_view Keyname = "keyname";
inline constexpr std::string_view Chunk = "chunk";
inline constexpr std::string_view Icon = "icon";
inline constexpr std::string_view Child = "child";
inline constexpr std::string_view Mask = "mask";
inline constexpr std::string_view Prev = "prev";
inline constexpr std::string_view Next = "next";
} // namespace LexemeValue

/// Menu masks of the node kinds the editor creates.
inline constexpr unsigned LexemeMask = 49;
inline constexpr unsigned FolderMask = 58;
inline constexpr unsigned LexemeTableMask = 304;

/// A node of the lexeme tree. The registry is written first, then the node in memory follows.
/// Siblings form a chain through "prev"/"next"; the children vector holds them in chain order at
/// load time, with later additions appended at its end.
///
/// Damaged chains load what the chain reaches and never hang: the head is the first subkey (in
/// enumeration order) with an empty "prev"; the walk stops at a "next" naming a missing key or a
/// node already loaded (a loop). With no head nothing is loaded. Unloaded subkeys stay untouched,
/// and new children are never given one of their names.
///
/// Every change of several values is one registry transaction: it is whole or absent, and when it
/// fails the node in memory is unchanged. Operations on children hold this node's (re-entrant)
/// lock; descending operations lock the parent before the child.
class LexItem {
public:
    /// The root: opens (creating) HKLM "Software\vorela\Лексемы и функции\" and loads the whole
    /// tree in one read snapshot.
    explicit LexItem(RegistryStore &store);
    /// The node `name` under parentKey (created when absent) with its children loaded.
    LexItem(const RegistryKey &parentKey, const std::string &name, const std::string &path);
    LexItem(const LexItem &) = delete;
    LexItem &operator=(const LexItem &) = delete;

    [[nodiscard]] const std::string &GetName() const { return name; }
    /// "3\4\7\" for node 7 under 4 under top-level node 3; empty for the root.
    [[nodiscard]] const std::string &GetPath() const { return path; }
    /// A copy of the children vector; the entries are the children themselves.
    [[nodiscard]] std::vector<std::shared_ptr<LexItem>> GetChildren() const;
    /// Index into GetChildren() of the child with exactly this name, or -1.
    [[nodiscard]] int FindChild(const std::string &childName) const;
    /// The child with exactly this name, or null.
    [[nodiscard]] std::shared_ptr<LexItem> GetChild(const std::string &childName) const;
    /// Display name of the node at relPath ("3\4\", components may be quoted); found = false and
    /// "" when a component is missing.
    [[nodiscard]] std::string GetTextAt(std::string_view relPath, bool &found) const;
    /// "icon" of the node at relPath; found = false (and 0) when a component is missing.
    [[nodiscard]] unsigned GetIconAt(std::string_view relPath, bool &found) const;

    /// "text1" when the node's language is 1, otherwise "text" (created empty when missing).
    [[nodiscard]] std::string GetText() const;
    /// Writes the language's name; the other language's name only when it does not exist yet.
    /// False when the registry refused (then neither name changed).
    [[nodiscard]] bool SetText(const std::string &text);
    /// Writes the Ukrainian name; false when the registry refused it.
    [[nodiscard]] bool SetText1(const std::string &text);
    /// SetText on the named child; false when there is no such child or the write failed.
    [[nodiscard]] bool SetChildText(const std::string &childName, const std::string &text);
    [[nodiscard]] std::string GetKeyname() const;
    /// False when the registry refused the key name (then the old one stays).
    [[nodiscard]] bool SetKeyname(const std::string &text);
    [[nodiscard]] std::string GetChunk() const;
    /// The DWORDs "icon", "mask" and "child"; a missing one is created as 0.
    [[nodiscard]] unsigned GetIcon() const;
    [[nodiscard]] unsigned GetMask() const;
    [[nodiscard]] bool IsFolder() const;
    [[nodiscard]] std::string GetPrev() const;
    [[nodiscard]] std::string GetNext() const;
    /// The single-value setters: false when the registry refused the write.
    [[nodiscard]] bool SetPrev(const std::string &siblingName);
    [[nodiscard]] bool SetNext(const std::string &siblingName);
    [[nodiscard]] bool SetFolderFlag(unsigned value);

    /// New node at the tail of the chain ("text" and "text1" both = text); its name, or "" when
    /// the registry could not be written (then nothing changed).
    [[nodiscard]] std::string AppendChild(const std::string &text, const std::string &chunk,
                                          unsigned icon, unsigned child, unsigned mask,
                                          const std::string &keyname);
    /// New node right after afterName (at the head when empty), with an empty "chunk"; "" when
    /// afterName is not a child or the write failed (then nothing changed).
    [[nodiscard]] std::string InsertChildAfter(const std::string &afterName,
                                               const std::string &text, unsigned icon,
                                               unsigned child, unsigned mask,
                                               const std::string &keyname);
    /// AppendChild on the named child, which becomes a folder; "" when there is no such child.
    [[nodiscard]] std::string AddToChild(const std::string &childName, const std::string &text,
                                         const std::string &chunk, unsigned icon, unsigned child,
                                         unsigned mask);
    /// A new folder in the named child, after its leading run of folders; "" when no such child.
    [[nodiscard]] std::string AddFolderToChild(const std::string &childName,
                                               const std::string &text, unsigned icon,
                                               unsigned child, unsigned mask);
    /// The child after which a new folder goes, or "" for the head.
    [[nodiscard]] std::string FindFolderInsertPoint() const;
    /// Deletes the child's subtree and unlinks it; false when there is no such child or the
    /// deletion failed (then registry, chain and memory are unchanged).
    [[nodiscard]] bool RemoveChild(const std::string &childName);

    /// Opens the node's key anew by its path and loads the children again in one read snapshot,
    /// for a tree replaced as a whole (a version restored); the old children are no longer this
    /// node's. False when the key could not be read (then the node has no children).
    [[nodiscard]] bool reload();

    /// The language sampled when the node was constructed (1 Ukrainian, otherwise Russian).
    [[nodiscard]] int language() const { return languageSetting; }
    [[nodiscard]] const RegistryKey &key() const { return nodeKey; }

private:
    struct LoadTag {};
    LexItem(LoadTag, const RegistryKey &ownKey, std::string nodeName, std::string nodePath,
            int nodeLanguage);
    void loadChildren();
    [[nodiscard]] std::string nextChildName() const;
    [[nodiscard]] RegistryKey writeNewChild(const std::string &text, const std::string &chunk,
                                            unsigned icon, unsigned child, unsigned mask,
                                            const std::string &keyname);
    [[nodiscard]] std::string findTail() const;
    [[nodiscard]] std::string findHead() const;
    [[nodiscard]] bool isFolderChild(const std::string &childName) const;
    [[nodiscard]] std::string textValueName() const;
    [[nodiscard]] bool writeFolderFlag(unsigned value) const;
    [[nodiscard]] bool writeText(const std::string &text) const;
    void dropLoadedChild(const std::string &childName);
    [[nodiscard]] RegistryKey siblingKey(const std::string &siblingName) const;
    [[nodiscard]] const LexItem *
    descend(std::span<const std::string> components,
            std::vector<std::unique_lock<std::recursive_mutex>> &held) const;

    std::string name;
    RegistryKey nodeKey;
    std::vector<std::shared_ptr<LexItem>> children;
    std::string path;
    int languageSetting = 0;
    mutable std::recursive_mutex lock;
};

/// The "Language" setting of HKLM "Software\vorela\Editor\", created as 0 when absent.
[[nodiscard]] int ReadLanguage(RegistryStore &store);
/// Writes the setting as 0 unless it is stored; false when it could not be written.
[[nodiscard]] bool storeDefaultLanguage(RegistryStore &store);
/// The same setting read without writing anything: 0 when it is absent or unreadable.
[[nodiscard]] int StoredLanguage(RegistryStore &store);

/// Deletes the key `name` under parentKey with all its subkeys; false when it is missing or the
/// deletion failed (then nothing is deleted).
[[nodiscard]] bool DeleteKeyTree(const RegistryKey &parentKey, std::string_view name);

/// Path ("3\4\") of the first leaf whose "chunk" equals chunk, searching the registry depth-first
/// through folders in enumeration order (never below a lexeme table); "" when none. Writes nothing.
[[nodiscard]] std::string FindLexemePath(RegistryStore &store, std::string_view chunk);

/// The key of the lexeme node at path ("3\4\") below the lexeme root, never created; closed when
/// any component is missing.
[[nodiscard]] RegistryKey openLexemeNode(RegistryStore &store, std::string_view path);

} // namespace vorela
