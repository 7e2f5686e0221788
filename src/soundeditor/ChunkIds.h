// Chunk ids of new lexemes: four decimal digits, unique over the whole lexeme store and the bank.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorela {

/// The value of a chunk id made of four decimal digits; nullopt for any other id.
[[nodiscard]] std::optional<unsigned> numericChunkId(std::string_view chunkId);

/// Chunk id for a new lexeme: one above the largest numeric id among storeChunks (every chunk
/// of the lexeme store), skipping ids bankHolds reports as taken. When the ids above are used
/// up, the lowest free id. nullopt when all 9999 are taken.
[[nodiscard]] std::optional<std::string>
nextLexemeChunkId(std::span<const std::string> storeChunks,
                  const std::function<bool(const std::string &)> &bankHolds);

} // namespace vorela
