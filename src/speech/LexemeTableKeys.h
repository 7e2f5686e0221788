// The entries of one lexeme table as the expansion matches them: key name to chunk id.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace vorela {

class RegistryStore;

/// Key name (trimmed of blanks) to chunk id of the table at tablePath below the lexeme root,
/// walking its chain: the first entry with a key name and a chunk wins. Empty when the table
/// cannot be opened. Reads only: a damaged entry is never given the values it lacks.
[[nodiscard]] std::unordered_map<std::string, std::string>
lexemeTableKeys(RegistryStore &store, std::string_view tablePath);

} // namespace vorela
