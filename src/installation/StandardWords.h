// The words of a new installation: the name and the spoken text of every key the speech
// composition can produce, grouped in the folders of the standard tree.
#pragma once

#include <span>
#include <string_view>

namespace vorela {

/// Folders under the top-level node "3", in chain order; the currency folder must be the fourth
/// (node 3\4\), where the currency words are installed.
enum class WordFolder {
    Digits,
    TensAndTeens,
    Hundreds,
    Currency,
    ThousandsAndMillions,
    DaysNominative,
    DaysGenitive,
    Months,
    HoursAndMinutes,
    Address,
};

struct StandardWord {
    std::string_view key; // chunk id
    WordFolder folder;
    std::string_view text;      // node name, Russian
    std::string_view spoken;    // what a Russian recording says; empty for silence
    std::string_view ukrainian; // what a Ukrainian recording says, for currency-bank words only
};

/// Every standard word, in tree order.
[[nodiscard]] std::span<const StandardWord> standardWords();

/// The word of a key, or null.
[[nodiscard]] const StandardWord *findStandardWord(std::string_view key);

/// Name of a folder of the standard tree.
[[nodiscard]] std::string_view wordFolderName(WordFolder folder);

/// Words copied from "currency.awf" when the editor starts, not recorded by the operator.
[[nodiscard]] inline bool fromCurrencyBank(const StandardWord &word)
{
    return !word.ukrainian.empty();
}

} // namespace vorela
