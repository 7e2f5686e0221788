// Chunk ids with a fixed meaning, shared by the stores, the banks, speech and verification.
#pragma once

#include <string_view>

namespace vorela {

/// The greeting phrase's sound: the only sound that must carry a verified signature.
inline constexpr std::string_view GreetingChunkId = "PRIV";
/// The "chunk" of a lexeme table node.
inline constexpr std::string_view LexemeTableChunkId = "#001";
/// The chunk id of a WAV file's sound data.
inline constexpr std::string_view WavDataChunkId = "data";
/// The prefix of a function entry's chunk ("@" and three digits, "@010").
inline constexpr char FunctionChunkPrefix = '@';
/// Chunk id of the boundary lexeme.
inline constexpr std::string_view BoundaryChunk = "____";

/// True when a node's chunk value names a sound of the bank (not a function, table or boundary).
[[nodiscard]] constexpr bool namesSound(std::string_view chunk)
{
    return !chunk.empty() && chunk.front() != FunctionChunkPrefix &&
           chunk.front() != LexemeTableChunkId.front() && chunk != BoundaryChunk;
}

} // namespace vorela
