// Start-up installation of the currency words and the amount functions.
#include "soundbank/CurrencyInstallation.h"

#include "platform/DataDirectory.h"
#include "soundbank/BankWriterLock.h"
#include "soundbank/WaveFile.h"
#include "stores/LexItem.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

namespace {

struct NamedEntry {
    std::string_view key; // currency key, or the chunk of a function
    std::string_view russian;
    std::string_view ukrainian;
};

enum class WordSound { Present, Unavailable, NotWritten };

} // namespace

// In this order; in "currency.awf" a word is "R" or "U" and its key, in the product bank "+" and
// it.
static constexpr std::array<NamedEntry, 7> CurrencyWords = {{
    {"DLR", "Доллар", "Долар"},
    {"DLA", "Доллара", "Долара"},
    {"DLV", "Долларов", "Доларiв"},
    {"CNT", "Цент", "Цент"},
    {"CNA", "Цента", "Цента"},
    {"CNV", "Центов", "Центiв"},
    {"EUR", "Евро", "Євро"},
}};

static constexpr std::array<NamedEntry, 2> AmountFunctions = {{
    {"@010", "СУММА (дол)", "СУМА (дол)"},
    {"@013", "СУММА (евро)", "СУМА (євро)"},
}};

static constexpr unsigned CurrencyWordIcon = 3;
static constexpr unsigned CurrencyWordMask = 1;
static constexpr unsigned FunctionIcon = 2;
static constexpr unsigned FunctionMask = 0;

static bool hasChildWithChunk(const LexItem &folder, std::string_view chunk)
{
    for (const std::shared_ptr<LexItem> &child : folder.GetChildren()) {
        if (child->GetChunk() == chunk)
            return true;
    }
    return false;
}

// False when the node or its Ukrainian name could not be written.
static bool appendEntry(LexItem &folder, const NamedEntry &entry, const std::string &chunk,
                        unsigned icon, unsigned mask)
{
    const std::string name =
        folder.AppendChild(std::string(entry.russian), chunk, icon, /*child=*/0, mask, "");
    const std::shared_ptr<LexItem> child = name.empty() ? nullptr : folder.GetChild(name);
    return child && child->SetText1(std::string(entry.ukrainian));
}

/// Whether the word's sound is in the product bank, copied from the currency bank (when that
/// could be opened) if need be; Unavailable when the currency bank lacks it or cannot give it.
static WordSound ensureWordSound(WaveFile &productBank, const WaveFile *currencyBank,
                                 const std::string &chunk, const std::string &sourceChunk)
{
    if (productBank.HasChunk(chunk))
        return WordSound::Present;
    std::vector<std::uint8_t> sound;
    if (currencyBank == nullptr || !currencyBank->HasChunk(sourceChunk) ||
        !currencyBank->ReadChunk(sourceChunk, sound) || sound.empty())
        return WordSound::Unavailable;
    return productBank.AppendChunk(chunk, sound) ? WordSound::Present : WordSound::NotWritten;
}

CurrencyInstallation installCurrency(LexItem &root, const DataDirectory &dataDirectory,
                                     FileFaults *faults)
{
    CurrencyInstallation result;
    const std::string prefix = root.language() != 0 ? "U" : "R";
    const std::shared_ptr<LexItem> topFolder = root.GetChild("3");
    const std::shared_ptr<LexItem> currencyFolder = topFolder ? topFolder->GetChild("4") : nullptr;
    if (!currencyFolder)
        return result;
    // Appending in place while another writer builds its copy of the old bank would lose the words.
    const BankWriterLock writer(dataDirectory);
    if (!writer.isLocked()) {
        result.writeFailed = true;
        result.lockFailure = writer.failure();
        return result;
    }
    WaveFile currencyBank;
    // Without the currency bank, words already in the product bank still count.
    const WaveFile *source =
        currencyBank.Open(dataDirectory.currencyBank()) ? &currencyBank : nullptr;
    WaveFile productBank(faults);
    if (!productBank.Open(dataDirectory.productBank()))
        return result;
    for (const NamedEntry &word : CurrencyWords) {
        const std::string chunk = "+" + std::string(word.key);
        const WordSound sound =
            ensureWordSound(productBank, source, chunk, prefix + std::string(word.key));
        if (sound == WordSound::NotWritten)
            result.writeFailed = true;
        if (sound != WordSound::Present)
            continue;
        if (!hasChildWithChunk(*currencyFolder, chunk) &&
            !appendEntry(*currencyFolder, word, chunk, CurrencyWordIcon, CurrencyWordMask)) {
            result.writeFailed = true;
            continue;
        }
        ++result.wordsPresent;
    }
    productBank.Close();
    currencyBank.Close();
    const std::shared_ptr<LexItem> functionsFolder = root.GetChild("2");
    if (result.wordsPresent != CurrencyWords.size() || !functionsFolder)
        return result;
    result.amountFunctionsPresent = true;
    for (const NamedEntry &function : AmountFunctions) {
        const std::string chunk(function.key);
        if (!hasChildWithChunk(*functionsFolder, chunk) &&
            !appendEntry(*functionsFolder, function, chunk, FunctionIcon, FunctionMask)) {
            result.amountFunctionsPresent = false;
            result.writeFailed = true;
        }
    }
    return result;
}

} // namespace vorela
