// Start-up installation of the currency words: their sounds are copied from "currency.awf" into
// the product bank and their nodes added to the lexeme tree, with the two amount functions.
#pragma once

#include <cstddef>

namespace vorela {

class DataDirectory;
class FileFaults;
class LexItem;

struct CurrencyInstallation {
    std::size_t wordsPresent = 0; // words whose sound and node are there after the run (of 7)
    bool amountFunctionsPresent = false;
};

/// Makes sure every currency word has its chunk in the product bank (appended in place from
/// "currency.awf", in the root's language) and its node under 3\4\, then, when all seven are
/// there, the amount functions under 2\. Silent: whatever fails is skipped; nothing present is
/// changed. Without the node 3\4\ nothing is touched.
CurrencyInstallation installCurrency(LexItem &root, const DataDirectory &dataDirectory,
                                     FileFaults *faults = nullptr);

} // namespace vorela
