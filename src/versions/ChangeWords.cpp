// Counts and template names, not files: the operator thinks of sounds, lexemes and templates.
#include "versions/ChangeWords.h"

#include <map>
#include <sstream>

namespace vorela {

namespace {

// The word for a count: 1 звук, 2 звука, 5 звуков (21 звук, 11 звуков).
struct Forms {
    const char *one;
    const char *few;
    const char *many;
};

constexpr Forms Sounds{"звук", "звука", "звуков"};
constexpr Forms Lexemes{"лексема", "лексемы", "лексем"};
constexpr Forms Templates{"шаблон", "шаблона", "шаблонов"};
// "заменён 1 звук", "заменено 3 звука": the participle agrees with the count.
constexpr Forms Replaced{"заменён", "заменено", "заменено"};
constexpr Forms Renamed{"переименована", "переименовано", "переименовано"};
constexpr Forms Changed{"изменён", "изменено", "изменено"};

constexpr const char *Minus = "\u2212";
constexpr const char *NoChanges = "без изменений";
constexpr const char *OneTemplate = "изменён шаблон ";
constexpr const char *TwoTemplates = "изменены шаблоны ";

const char *form(std::size_t count, const Forms &forms)
{
    if (count % 10 == 1 && count % 100 != 11)
        return forms.one;
    if (count % 10 >= 2 && count % 10 <= 4 && (count % 100 < 12 || count % 100 > 14))
        return forms.few;
    return forms.many;
}

std::string counted(std::size_t count, const Forms &forms)
{
    return std::to_string(count) + " " + form(count, forms);
}

// "Задолженность / Оператор 1" from "Tasks\Задолженность\Операторы\Оператор 1".
std::string templateName(const std::string &key)
{
    std::vector<std::string> parts;
    std::stringstream path(key);
    for (std::string part; std::getline(path, part, '\\');)
        parts.push_back(part);
    return parts.size() == 4 ? parts[1] + " / " + parts[3] : key;
}

std::string quoted(const std::string &text)
{
    return "«" + text + "»";
}

} // namespace

std::string changeSummary(std::span<const LibraryChange> changes)
{
    std::map<ChangeKind, std::size_t> counts;
    std::vector<std::string> templates;
    for (const LibraryChange &change : changes) {
        ++counts[change.kind];
        const bool item = change.kind == ChangeKind::ItemAdded ||
                          change.kind == ChangeKind::ItemRemoved ||
                          change.kind == ChangeKind::ItemMoved;
        if (item && (templates.empty() || templates.back() != change.subject))
            templates.push_back(change.subject);
    }
    std::vector<std::string> parts;
    const auto addCount = [&parts](std::size_t number, const std::string &prefix,
                                   const Forms &forms) {
        if (number > 0)
            parts.push_back(prefix + counted(number, forms));
    };
    addCount(counts[ChangeKind::SoundAdded], "+", Sounds);
    addCount(counts[ChangeKind::SoundRemoved], Minus, Sounds);
    const std::size_t replaced = counts[ChangeKind::SoundChanged];
    addCount(replaced, std::string(form(replaced, Replaced)) + " ", Sounds);
    addCount(counts[ChangeKind::LexemeAdded], "+", Lexemes);
    addCount(counts[ChangeKind::LexemeRemoved], Minus, Lexemes);
    const std::size_t renamed = counts[ChangeKind::LexemeRenamed];
    addCount(renamed, std::string(form(renamed, Renamed)) + " ", Lexemes);
    if (templates.size() == 1)
        parts.push_back(OneTemplate + templateName(templates[0]));
    else if (templates.size() == 2)
        parts.push_back(TwoTemplates + templateName(templates[0]) + ", " +
                        templateName(templates[1]));
    else
        addCount(templates.size(), std::string(form(templates.size(), Changed)) + " ", Templates);
    if (parts.empty())
        return NoChanges;
    std::string summary = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i)
        summary += ", " + parts[i];
    return summary;
}

static std::string sentence(const LibraryChange &change)
{
    const std::string sound = change.currency ? "звук валюты " : "звук ";
    const std::string soundWords =
        sound + change.subject + (change.words.empty() ? "" : " " + quoted(change.words));
    const std::string item =
        quoted(change.words) + (change.argument.empty() ? "" : " (" + change.argument + ")");
    const std::string owner = "Шаблон " + templateName(change.subject) + ": ";
    switch (change.kind) {
    case ChangeKind::SoundAdded:
        return "Добавлен " + soundWords;
    case ChangeKind::SoundChanged:
        return "Заменён " + soundWords;
    case ChangeKind::SoundRemoved:
        return "Удалён " + soundWords;
    case ChangeKind::LexemeAdded:
        return "Добавлена лексема " + quoted(change.words);
    case ChangeKind::LexemeRenamed:
        return "Лексема " + quoted(change.earlierWords) + " переименована в " +
               quoted(change.words);
    case ChangeKind::LexemeRemoved:
        return "Удалена лексема " + quoted(change.words);
    case ChangeKind::ItemAdded:
        return owner + "добавлен элемент " + item;
    case ChangeKind::ItemRemoved:
        return owner + "удалён элемент " + item;
    case ChangeKind::ItemMoved:
        break;
    }
    return owner + "перемещён элемент " + item;
}

std::vector<std::string> changeSentences(std::span<const LibraryChange> changes)
{
    std::vector<std::string> sentences;
    sentences.reserve(changes.size());
    for (const LibraryChange &change : changes)
        sentences.push_back(sentence(change));
    return sentences;
}

} // namespace vorela
