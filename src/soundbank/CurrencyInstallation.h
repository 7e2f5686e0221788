// Start-up installation of the currency words: their sounds are copied from "currency.awf" into
// the product bank and their nodes added to the lexeme tree, with the two amount functions.
#pragma once

#include <cstddef>
#include <string>

namespace vorela {

class DataDirectory;
class FileFaults;
class LexItem;

struct CurrencyInstallation {
    std::size_t wordsPresent = 0; // words whose sound and node are there after the run (of 7)
    bool amountFunctionsPresent = false;
    bool writeFailed = false; // a sound or a node could not be written (not a missing source)
    std::string lockFailure;  // why the bank writer lock was not had; nothing was touched then
};

/// Makes sure every currency word has its chunk in the product bank (appended in place from
/// "currency.awf", in the root's language) and its node under 3\4\, then, when all seven are
/// there, the amount functions under 2\. Whatever fails is skipped (a failed write is marked in
/// the result); nothing present is changed. Without the node 3\4\, or when another writer of
/// the bank keeps it busy, nothing is touched.
[[nodiscard]] CurrencyInstallation
installCurrency(LexItem &root, const DataDirectory &dataDirectory, FileFaults *faults = nullptr);

} // namespace vorela
