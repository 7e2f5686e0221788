// Every chunk id in use, of the lexeme store and of the bank: a new lexeme table entry's id must
// be none of them, or its sound would overwrite another's.
#pragma once

#include <filesystem>
#include <set>
#include <span>
#include <string>

namespace vorela {

/// The 4-byte ids of storeChunks (as the bank spells them) and of every chunk in the bank (only
/// the store's when the bank cannot be read), for nextTableChunkId and
/// nextLexemeChunkId.
[[nodiscard]] std::set<std::string> usedChunkIds(std::span<const std::string> storeChunks,
                                                 const std::filesystem::path &bank);

} // namespace vorela
