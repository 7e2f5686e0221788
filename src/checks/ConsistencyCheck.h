// The check an administrator runs before starting notifications: damaged chains, template items
// whose lexeme is gone, lexemes without sound, sounds nobody uses, and every key a template can
// need that the bank lacks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class DataDirectory;
class RegistryStore;

enum class FindingKind {
    NoBank,          ///< the product bank cannot be read
    DamagedChain,    ///< a sibling chain of the lexeme tree or of a template is broken
    MissingLexeme,   ///< a template item's path names no lexeme node
    MissingSound,    ///< a lexeme node's chunk is not in the bank
    UnusedChunk,     ///< a bank chunk no node refers to and no function speaks
    TemplateLacksKey ///< a key a template's items can need is not in the bank
};

struct Finding {
    FindingKind kind;
    std::string where;             // a lexeme path, "task / operator", or the bank file
    std::string detail;            // what is wrong, naming the chunk ids
    std::vector<std::string> keys; // the chunk ids concerned
};

struct CheckReport {
    std::vector<Finding> findings;
    [[nodiscard]] bool clean() const { return findings.empty(); }
};

/// Reads the registry store once (one snapshot) and the bank's chunk list once; writes nothing.
[[nodiscard]] CheckReport checkInstallation(RegistryStore &store,
                                            const DataDirectory &dataDirectory);

/// English label of a finding kind, for reports.
[[nodiscard]] const char *findingLabel(FindingKind kind);

} // namespace vorela
