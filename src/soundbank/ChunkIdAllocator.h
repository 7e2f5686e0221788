// Chunk ids for new lexemes and new lexeme-table entries. An id is new when neither the lexeme
// store (any branch) nor the product bank uses it: a sound saved under a used id would overwrite
// another lexeme's.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <span>
#include <string>

namespace vorela {

class ChunkIdAllocator {
public:
    /// storeChunks: the "chunk" of every node of the lexeme store; bankIds: the 4-byte ids of the
    /// bank's chunks.
    ChunkIdAllocator(std::span<const std::string> storeChunks, std::set<std::string> bankIds);
    /// Over storeChunks and every chunk of the bank file (none when it cannot be read).
    [[nodiscard]] static ChunkIdAllocator forBank(std::span<const std::string> storeChunks,
                                                  const std::filesystem::path &bank);

    /// "%04u" of one above the largest four-digit id of the store (and of ids handed out), free
    /// in the bank; when those are used up, the lowest free one. nullopt when all 9999 are used.
    [[nodiscard]] std::optional<std::string> newLexemeChunkId();
    /// The first unused "|" + three bytes, counting each byte from blank through 255 (last byte
    /// fastest), as UTF-8 text. nullopt when all are used.
    [[nodiscard]] std::optional<std::string> newTableChunkId();

private:
    [[nodiscard]] bool isFreeLexemeNumber(unsigned number) const;
    /// Marks id (4 bytes) as used and returns it as text.
    std::string take(const std::string &id);

    std::set<std::string> usedIds; // 4 bytes each, as the bank spells them
    unsigned largestLexemeNumber = 0;
};

} // namespace vorela
