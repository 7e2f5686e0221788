// Builds the standard tree from the function table, the standard words and the keys the speech
// composition can produce.
#include "installation/StandardLexemeTree.h"

#include "installation/StandardWords.h"
#include "platform/RegistryKey.h"
#include "platform/RegistryTransaction.h"
#include "speech/SpeechVocabulary.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"
#include "trees/TreeRules.h"

#include <map>
#include <memory>

namespace vorela {

namespace {

constexpr unsigned LexemeIcon = 4;
constexpr unsigned FunctionIcon = 2;
constexpr unsigned CurrencyIcon = 3;
constexpr unsigned NoMenu = 0;

constexpr FunctionEntry Functions[] = {
    {"@000", "Телефон", "Телефон"},
    {"@001", "Телефон (второй)", "Телефон (другий)"},
    {"@002", "Текущее время", "Поточний час"},
    {"@003", "Дата", "Дата"},
    {"@004", "Дата (рд)", "Дата (рд)"},
    {"@005", "Пустая функция", "Порожня функція"},
    {"@006", "Дата +000 (им)", "Дата +000 (им)"},
    {"@007", "СУММА (грн)", "СУМА (грн)"},
    {"@008", "Число", "Число"},
    {"@009", "СУММА (руб)", "СУМА (руб)"},
    {"@010", "СУММА (дол)", "СУМА (дол)"},
    {"@011", "Дом", "Будинок"},
    {"@012", "Квартира", "Квартира"},
    {"@013", "СУММА (евро)", "СУМА (євро)"},
    {"@006", "Дата +001 (им)", "Дата +001 (им)"},
    {"@006", "Дата +001 (рд)", "Дата +001 (рд)"},
    {"@006", "Дата +003 (рд)", "Дата +003 (рд)"},
    {"@006", "Дата +007 (рд)", "Дата +007 (рд)"},
    {"@006", "Дата +010 (рд)", "Дата +010 (рд)"},
    {"____", "Граница", "Межа"},
};

// A child written with both names; "" when the registry refused it.
std::string appendNamed(LexItem &parent, std::string_view text, std::string_view ukrainian,
                        std::string_view chunk, unsigned icon, unsigned folder, unsigned mask)
{
    const std::string name =
        parent.AppendChild(std::string(text), std::string(chunk), icon, folder, mask, "");
    if (name.empty() || ukrainian.empty() || ukrainian == text)
        return name;
    const std::shared_ptr<LexItem> child = parent.GetChild(name);
    return child->SetText1(std::string(ukrainian)) ? name : std::string();
}

std::shared_ptr<LexItem> appendFolder(LexItem &parent, std::string_view text, unsigned icon,
                                      unsigned mask)
{
    const std::string name = appendNamed(parent, text, {}, {}, icon, /*folder=*/1, mask);
    return name.empty() ? nullptr : parent.GetChild(name);
}

bool buildFunctions(LexItem &root)
{
    const std::shared_ptr<LexItem> folder = appendFolder(root, "Функции", FunctionIcon, NoMenu);
    if (!folder)
        return false;
    for (const FunctionEntry &entry : Functions) {
        if (appendNamed(*folder, entry.text, entry.ukrainian, entry.chunk, FunctionIcon,
                        /*folder=*/0, NoMenu)
                .empty())
            return false;
    }
    return true;
}

// Every composable key in table order; words from the currency bank are left to the currency
// installation, which names them and copies their sound when the editor starts.
bool buildWords(LexItem &root)
{
    const std::shared_ptr<LexItem> top =
        appendFolder(root, "Стандартные слова", LexemeIcon, TableFolderMask);
    if (!top)
        return false;
    std::map<WordFolder, std::shared_ptr<LexItem>> folders;
    for (WordFolder folder = WordFolder::Digits; folder <= WordFolder::Address;
         folder = static_cast<WordFolder>(static_cast<int>(folder) + 1)) {
        const unsigned icon = folder == WordFolder::Currency ? CurrencyIcon : LexemeIcon;
        const unsigned mask = folder == WordFolder::Currency ? NoMenu : TableFolderMask;
        folders[folder] = appendFolder(*top, wordFolderName(folder), icon, mask);
        if (!folders[folder])
            return false;
    }
    const std::set<std::string> &keys = composableKeys();
    for (const StandardWord &word : standardWords()) {
        if (fromCurrencyBank(word) || !keys.contains(std::string(word.key)))
            continue;
        if (appendNamed(*folders[word.folder], word.text, {}, word.key, LexemeIcon, 0, LexemeMask)
                .empty())
            return false;
    }
    // A key the composition produces but the table does not name still gets a node.
    for (const std::string &key : keys) {
        if (findStandardWord(key) != nullptr)
            continue;
        if (appendNamed(*folders[WordFolder::Address], key, {}, key, LexemeIcon, 0, LexemeMask)
                .empty())
            return false;
    }
    return true;
}

} // namespace

std::span<const FunctionEntry> standardFunctions()
{
    return Functions;
}

bool buildStandardLexemeTree(LexItem &root, std::string &error)
{
    if (!root.GetChildren().empty()) {
        error = "the lexeme tree is not empty";
        return false;
    }
    RegistryTransaction transaction(*root.key().owner());
    const std::shared_ptr<LexItem> phrases =
        appendFolder(root, "Фразы", LexemeIcon, TableFolderMask);
    const bool written = phrases &&
                         !appendNamed(*phrases, GreetingText, "Привітання", GreetingChunkId,
                                      LexemeIcon, 0, LexemeMask)
                              .empty() &&
                         buildFunctions(root) && buildWords(root);
    if (!written || !transaction.commit()) {
        error = "cannot write the lexeme tree to the registry store";
        return false;
    }
    return true;
}

} // namespace vorela
