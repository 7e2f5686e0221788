#include "soundbank/TableChunkIds.h"

#include "soundbank/WaveFile.h"
#include "stores/LexemeTable.h"

namespace vorela {

std::set<std::string> usedChunkIds(std::span<const std::string> storeChunks,
                                   const std::filesystem::path &bank)
{
    std::set<std::string> used;
    for (const std::string &chunk : storeChunks)
        used.insert(chunkIdBytes(chunk));
    WaveFile bankFile;
    if (!bankFile.Open(bank))
        return used;
    for (const ChunkHeader &chunk : bankFile.chunks())
        used.emplace(chunk.id.bytes().begin(), chunk.id.bytes().end());
    return used;
}

} // namespace vorela
