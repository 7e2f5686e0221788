// The short words of a version's changes: counts in the right Russian form, templates by task and
// operator, and nothing at all said as "без изменений".
#include "versions/ChangeWords.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

constexpr const char *Debt = "Tasks\\Задолженность\\Операторы\\Оператор 1";
constexpr const char *Notice = "Tasks\\Извещение\\Операторы\\Оп";
constexpr const char *Third = "Tasks\\Третье\\Операторы\\Оп";

std::vector<LibraryChange> repeated(ChangeKind kind, int count, const std::string &subject = "")
{
    return std::vector<LibraryChange>(static_cast<std::size_t>(count),
                                      {.kind = kind, .subject = subject});
}

std::vector<LibraryChange> joined(std::initializer_list<std::vector<LibraryChange>> parts)
{
    std::vector<LibraryChange> all;
    for (const std::vector<LibraryChange> &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(ChangeWordsTest, SummaryCountsInTheirRussianFormAndNamesTemplates)
{
    const struct {
        std::vector<LibraryChange> changes;
        std::string summary;
    } cases[] = {
        {{}, "без изменений"},
        {joined({repeated(ChangeKind::SoundAdded, 3), repeated(ChangeKind::ItemAdded, 2, Debt),
                 repeated(ChangeKind::ItemMoved, 1, Debt)}),
         "+3 звука, изменён шаблон Задолженность / Оператор 1"},
        {joined({repeated(ChangeKind::SoundRemoved, 1), repeated(ChangeKind::SoundChanged, 21)}),
         "−1 звук, заменён 21 звук"},
        {joined({repeated(ChangeKind::SoundAdded, 11), repeated(ChangeKind::SoundChanged, 5),
                 repeated(ChangeKind::LexemeRenamed, 2)}),
         "+11 звуков, заменено 5 звуков, переименовано 2 лексемы"},
        {joined({repeated(ChangeKind::LexemeAdded, 22), repeated(ChangeKind::LexemeRemoved, 14),
                 repeated(ChangeKind::LexemeRenamed, 1)}),
         "+22 лексемы, −14 лексем, переименована 1 лексема"},
        {joined({repeated(ChangeKind::ItemRemoved, 1, Debt),
                 repeated(ChangeKind::ItemAdded, 1, Notice)}),
         "изменены шаблоны Задолженность / Оператор 1, Извещение / Оп"},
        {joined({repeated(ChangeKind::ItemRemoved, 1, Debt),
                 repeated(ChangeKind::ItemAdded, 1, Notice),
                 repeated(ChangeKind::ItemMoved, 1, Third)}),
         "изменено 3 шаблона"},
    };
    for (const auto &[changes, summary] : cases)
        EXPECT_EQ(changeSummary(changes), summary);
}

} // namespace
} // namespace vorela
