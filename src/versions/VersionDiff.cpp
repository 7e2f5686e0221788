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

std::string soundLine(std::string_view change, std::string_view folder, const std::string &raw,
                      const Side &side)
{
    const ChunkId id = ChunkId::fromBytes(
        std::span<const std::uint8_t, 4>(reinterpret_cast<const std::uint8_t *>(raw.data()), 4));
    const auto lexeme = side.lexemesByChunk.find(raw);
    const std::string bank = folder == CurrencyBankFolder ? "currency sound " : "sound ";
    return bank + std::string(change) + ": " + id.text() +
           (lexeme == side.lexemesByChunk.end() ? "" : " " + inQuotes(lexeme->second));
}

void describeSounds(const LibraryFiles &before, const LibraryFiles &after, const Side &old,
                    const Side &now, std::vector<std::string> &lines)
{
    for (const auto &[path, file] : after) {
        const std::optional<std::string> raw = soundChunkId(path);
        if (!raw || raw->size() != 4)
            continue;
        const auto earlier = before.find(path);
        const std::string_view folder = std::string_view(path).substr(0, path.find('/') + 1);
        if (earlier == before.end())
            lines.push_back(soundLine("added", folder, *raw, now));
        else if (earlier->second.id != file.id)
            lines.push_back(soundLine("changed", folder, *raw, now));
    }
    for (const auto &[path, file] : before) {
        const std::optional<std::string> raw = soundChunkId(path);
        if (raw && raw->size() == 4 && !after.contains(path))
            lines.push_back(soundLine("removed", path.substr(0, path.find('/') + 1), *raw, old));
    }
}

void describeLexemes(const Side &old, const Side &now, std::vector<std::string> &lines)
{
    for (const auto &[path, text] : now.lexemeTexts) {
        const auto earlier = old.lexemeTexts.find(path);
        if (earlier == old.lexemeTexts.end())
            lines.push_back("lexeme added: " + path + " " + inQuotes(text));
        else if (earlier->second != text)
            lines.push_back("lexeme renamed: " + path + " " + inQuotes(earlier->second) + " -> " +
                            inQuotes(text));
    }
    for (const auto &[path, text] : old.lexemeTexts) {
        if (!now.lexemeTexts.contains(path))
            lines.push_back("lexeme removed: " + path + " " + inQuotes(text));
    }
}

// Item names in chain order, each with its words (its lexeme's text and argument).
std::vector<std::pair<std::string, std::string>> chainOrder(const std::vector<TextKey> &items,
                                                            const Side &side)
{
    std::vector<ChainLinks> links;
    for (const TextKey &item : items)
        links.push_back({item.path.substr(item.path.rfind('\\') + 1),
                         valueText(item, TemplateValue::Prev),
                         valueText(item, TemplateValue::Next)});
    std::vector<std::pair<std::string, std::string>> order;
    for (const std::size_t index : walkChain(links).order) {
        std::string path = valueText(items[index], TemplateValue::Path);
        while (path.ends_with('\\'))
            path.pop_back();
        const auto lexeme = side.lexemeTexts.find(path);
        const std::string arg = valueText(items[index], TemplateValue::Arg);
        order.emplace_back(links[index].name,
                           inQuotes(lexeme == side.lexemeTexts.end() ? path : lexeme->second) +
                               (arg.empty() ? "" : " " + arg));
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

void describeTemplate(const std::string &owner, const Side &old, const Side &now,
                      std::vector<std::string> &lines)
{
    static const std::vector<TextKey> None;
    const auto earlierItems = old.templates.find(owner);
    const auto laterItems = now.templates.find(owner);
    const auto before =
        chainOrder(earlierItems == old.templates.end() ? None : earlierItems->second, old);
    const auto after =
        chainOrder(laterItems == now.templates.end() ? None : laterItems->second, now);
    std::map<std::string, std::string> wordsBefore(before.begin(), before.end());
    std::map<std::string, std::string> wordsAfter(after.begin(), after.end());
    std::vector<std::string> keptBefore;
    std::vector<std::string> keptAfter;
    const std::string label = "template " + owner.substr(0, owner.rfind('\\')) + ": item ";
    for (const auto &[name, words] : after) {
        if (!wordsBefore.contains(name))
            lines.push_back(label + "added: " + words);
        else
            keptAfter.push_back(name);
    }
    for (const auto &[name, words] : before) {
        if (!wordsAfter.contains(name))
            lines.push_back(label + "removed: " + words);
        else
            keptBefore.push_back(name);
    }
    for (const std::string &name : movedItems(keptBefore, keptAfter))
        lines.push_back(label + "moved: " + wordsAfter[name]);
}

} // namespace

bool describeChanges(const LibraryFiles &before, const LibraryFiles &after,
                     std::vector<std::string> &lines, std::string &error)
{
    lines.clear();
    Side old;
    Side now;
    if (!readSide(before, old, error) || !readSide(after, now, error))
        return false;
    describeSounds(before, after, old, now, lines);
    describeLexemes(old, now, lines);
    std::map<std::string, bool> owners;
    for (const auto &[owner, items] : old.templates)
        owners[owner] = true;
    for (const auto &[owner, items] : now.templates)
        owners[owner] = true;
    for (const auto &[owner, seen] : owners)
        describeTemplate(owner, old, now, lines);
    return true;
}

} // namespace vorela
