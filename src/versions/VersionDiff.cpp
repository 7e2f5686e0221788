// Changes told as an operator thinks of them: by lexeme text and template, not by file.
#include "versions/VersionDiff.h"

#include "platform/RegistryValue.h"
#include "soundbank/ChunkId.h"
#include "stores/Patterns.h"
#include "stores/SiblingChain.h"
#include "versions/BankVersion.h"
#include "versions/RegistryText.h"
#include "versions/RegistryVersion.h"

#include <algorithm>
#include <map>
#include <set>

namespace vorela {

namespace {

constexpr std::string_view LexemeBranch = "Лексемы и функции\\";

struct Side {
    std::map<std::string, std::string> lexemeTexts;        // path below the branch -> text
    std::map<std::string, std::string> lexemesByChunk;     // 4 raw bytes -> text
    std::map<std::string, std::vector<TextKey>> templates; // template key path -> its items
};

std::string valueText(const TextKey &key, std::string_view name)
{
    for (const RegistryValue &value : key.values) {
        if (value.type == ValueType::String &&
            foldRegistryName(value.name) == foldRegistryName(name))
            return value.text;
    }
    return {};
}

std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

bool readSide(const LibraryFiles &files, Side &side, std::string &error)
{
    std::vector<TextKey> keys;
    if (!parseRegistryFiles(files, keys, error))
        return false;
    for (TextKey &key : keys) {
        const std::size_t depth = std::count(key.path.begin(), key.path.end(), '\\');
        if (key.path.starts_with(LexemeBranch)) {
            const std::string text = valueText(key, "text");
            side.lexemeTexts[key.path.substr(LexemeBranch.size())] = text;
            const std::string chunk = valueText(key, "chunk");
            const auto bytes = ChunkId::fromText(chunk).bytes();
            if (!chunk.empty())
                side.lexemesByChunk.emplace(std::string(bytes.begin(), bytes.end()), text);
            continue;
        }
        // Tasks\T\Операторы\O\Шаблоны\ITEM
        if (depth == 5 && key.path.starts_with("Tasks\\")) {
            const std::string owner = key.path.substr(0, key.path.rfind('\\'));
            side.templates[owner].push_back(std::move(key));
        }
    }
    return true;
}

LibraryChange soundChange(ChangeKind kind, std::string_view folder, const std::string &raw,
                          const Side &side)
{
    const ChunkId id = ChunkId::fromBytes(
        std::span<const std::uint8_t, 4>(reinterpret_cast<const std::uint8_t *>(raw.data()), 4));
    const auto lexeme = side.lexemesByChunk.find(raw);
    return {.kind = kind,
            .subject = id.text(),
            .words = lexeme == side.lexemesByChunk.end() ? "" : lexeme->second,
            .currency = folder == CurrencyBankFolder};
}

void compareSounds(const LibraryFiles &before, const LibraryFiles &after, const Side &old,
                   const Side &now, std::vector<LibraryChange> &changes)
{
    for (const auto &[path, file] : after) {
        const std::optional<std::string> raw = soundChunkId(path);
        if (!raw || raw->size() != 4)
            continue;
        const auto earlier = before.find(path);
        const std::string_view folder = std::string_view(path).substr(0, path.find('/') + 1);
        if (earlier == before.end())
            changes.push_back(soundChange(ChangeKind::SoundAdded, folder, *raw, now));
        else if (earlier->second.id != file.id)
            changes.push_back(soundChange(ChangeKind::SoundChanged, folder, *raw, now));
    }
    for (const auto &[path, file] : before) {
        const std::optional<std::string> raw = soundChunkId(path);
        if (raw && raw->size() == 4 && !after.contains(path))
            changes.push_back(soundChange(ChangeKind::SoundRemoved,
                                          path.substr(0, path.find('/') + 1), *raw, old));
    }
}

void compareLexemes(const Side &old, const Side &now, std::vector<LibraryChange> &changes)
{
    for (const auto &[path, text] : now.lexemeTexts) {
        const auto earlier = old.lexemeTexts.find(path);
        if (earlier == old.lexemeTexts.end())
            changes.push_back({.kind = ChangeKind::LexemeAdded, .subject = path, .words = text});
        else if (earlier->second != text)
            changes.push_back({.kind = ChangeKind::LexemeRenamed,
                               .subject = path,
                               .words = text,
                               .earlierWords = earlier->second});
    }
    for (const auto &[path, text] : old.lexemeTexts) {
        if (!now.lexemeTexts.contains(path))
            changes.push_back({.kind = ChangeKind::LexemeRemoved, .subject = path, .words = text});
    }
}

// A template item's lexeme text and argument.
struct ItemWords {
    std::string text;
    std::string argument;
};

// Item names in chain order, each with its words.
std::vector<std::pair<std::string, ItemWords>> chainOrder(const std::vector<TextKey> &items,
                                                          const Side &side)
{
    std::vector<ChainLinks> links;
    for (const TextKey &item : items)
        links.push_back({item.path.substr(item.path.rfind('\\') + 1),
                         valueText(item, TemplateValue::Prev),
                         valueText(item, TemplateValue::Next)});
    std::vector<std::pair<std::string, ItemWords>> order;
    for (const std::size_t index : walkChain(links).order) {
        std::string path = valueText(items[index], TemplateValue::Path);
        while (path.ends_with('\\'))
            path.pop_back();
        const auto lexeme = side.lexemeTexts.find(path);
        order.emplace_back(links[index].name,
                           ItemWords{lexeme == side.lexemeTexts.end() ? path : lexeme->second,
                                     valueText(items[index], TemplateValue::Arg)});
    }
    return order;
}

// The items kept in both that are not in the longest common order: the ones moved.
std::vector<std::string> movedItems(const std::vector<std::string> &before,
                                    const std::vector<std::string> &after)
{
    std::vector<std::vector<std::size_t>> common(before.size() + 1,
                                                 std::vector<std::size_t>(after.size() + 1));
    for (std::size_t i = before.size(); i-- > 0;) {
        for (std::size_t j = after.size(); j-- > 0;)
            common[i][j] = before[i] == after[j] ? common[i + 1][j + 1] + 1
                                                 : std::max(common[i + 1][j], common[i][j + 1]);
    }
    std::vector<std::string> moved;
    std::size_t i = 0;
    for (std::size_t j = 0; j < after.size();) {
        if (i < before.size() && before[i] == after[j]) {
            ++i;
            ++j;
        } else if (i < before.size() && common[i + 1][j] >= common[i][j + 1]) {
            ++i;
        } else {
            moved.push_back(after[j++]);
        }
    }
    return moved;
}

LibraryChange itemChange(ChangeKind kind, const std::string &key, const ItemWords &words)
{
    return {.kind = kind, .subject = key, .words = words.text, .argument = words.argument};
}

void compareTemplate(const std::string &owner, const Side &old, const Side &now,
                     std::vector<LibraryChange> &changes)
{
    static const std::vector<TextKey> None;
    const auto earlierItems = old.templates.find(owner);
    const auto laterItems = now.templates.find(owner);
    const auto before =
        chainOrder(earlierItems == old.templates.end() ? None : earlierItems->second, old);
    const auto after =
        chainOrder(laterItems == now.templates.end() ? None : laterItems->second, now);
    std::map<std::string, ItemWords> wordsBefore(before.begin(), before.end());
    std::map<std::string, ItemWords> wordsAfter(after.begin(), after.end());
    std::vector<std::string> keptBefore;
    std::vector<std::string> keptAfter;
    const std::string key = owner.substr(0, owner.rfind('\\'));
    for (const auto &[name, words] : after) {
        if (!wordsBefore.contains(name))
            changes.push_back(itemChange(ChangeKind::ItemAdded, key, words));
        else
            keptAfter.push_back(name);
    }
    for (const auto &[name, words] : before) {
        if (!wordsAfter.contains(name))
            changes.push_back(itemChange(ChangeKind::ItemRemoved, key, words));
        else
            keptBefore.push_back(name);
    }
    for (const std::string &name : movedItems(keptBefore, keptAfter))
        changes.push_back(itemChange(ChangeKind::ItemMoved, key, wordsAfter[name]));
}

std::string englishVerb(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::SoundAdded:
    case ChangeKind::LexemeAdded:
    case ChangeKind::ItemAdded:
        return "added";
    case ChangeKind::SoundRemoved:
    case ChangeKind::LexemeRemoved:
    case ChangeKind::ItemRemoved:
        return "removed";
    case ChangeKind::SoundChanged:
        return "changed";
    case ChangeKind::LexemeRenamed:
        return "renamed";
    case ChangeKind::ItemMoved:
        break;
    }
    return "moved";
}

std::string englishLine(const LibraryChange &change)
{
    const std::string verb = englishVerb(change.kind);
    switch (change.kind) {
    case ChangeKind::SoundAdded:
    case ChangeKind::SoundChanged:
    case ChangeKind::SoundRemoved:
        return std::string(change.currency ? "currency sound " : "sound ") + verb + ": " +
               change.subject + (change.words.empty() ? "" : " " + inQuotes(change.words));
    case ChangeKind::LexemeRenamed:
        return "lexeme renamed: " + change.subject + " " + inQuotes(change.earlierWords) + " -> " +
               inQuotes(change.words);
    case ChangeKind::LexemeAdded:
    case ChangeKind::LexemeRemoved:
        return "lexeme " + verb + ": " + change.subject + " " + inQuotes(change.words);
    case ChangeKind::ItemAdded:
    case ChangeKind::ItemRemoved:
    case ChangeKind::ItemMoved:
        break;
    }
    return "template " + change.subject + ": item " + verb + ": " + inQuotes(change.words) +
           (change.argument.empty() ? "" : " " + change.argument);
}

} // namespace

bool compareLibraries(const LibraryFiles &before, const LibraryFiles &after,
                      std::vector<LibraryChange> &changes, std::string &error)
{
    changes.clear();
    Side old;
    Side now;
    if (!readSide(before, old, error) || !readSide(after, now, error))
        return false;
    compareSounds(before, after, old, now, changes);
    compareLexemes(old, now, changes);
    std::set<std::string> owners;
    for (const auto &[owner, items] : old.templates)
        owners.insert(owner);
    for (const auto &[owner, items] : now.templates)
        owners.insert(owner);
    for (const std::string &owner : owners)
        compareTemplate(owner, old, now, changes);
    return true;
}

bool describeChanges(const LibraryFiles &before, const LibraryFiles &after,
                     std::vector<std::string> &lines, std::string &error)
{
    lines.clear();
    std::vector<LibraryChange> changes;
    if (!compareLibraries(before, after, changes, error))
        return false;
    for (const LibraryChange &change : changes)
        lines.push_back(englishLine(change));
    return true;
}

} // namespace vorela
