// A new lexeme's chunk id is chosen over the whole store: an id taken from one branch only could
// be the id of a lexeme in another branch and overwrite its sound in the bank.
#include "soundeditor/ChunkIds.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace vorela {

static constexpr unsigned LargestChunkNumber = 9999;

std::optional<unsigned> numericChunkId(std::string_view chunkId)
{
    if (chunkId.size() != 4)
        return std::nullopt;
    unsigned value = 0;
    for (const char c : chunkId) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + unsigned(c - '0');
    }
    return value;
}

static std::string formatChunkId(unsigned number)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04u", number);
    return text;
}

std::optional<std::string>
nextLexemeChunkId(std::span<const std::string> storeChunks,
                  const std::function<bool(const std::string &)> &bankHolds)
{
    std::set<unsigned> used;
    for (const std::string &chunk : storeChunks) {
        if (const std::optional<unsigned> number = numericChunkId(chunk))
            used.insert(*number);
    }
    const unsigned largest = used.empty() ? 0 : *used.rbegin();
    const auto isFree = [&](unsigned number) {
        return number > 0 && !used.contains(number) && !bankHolds(formatChunkId(number));
    };
    for (unsigned number = largest + 1; number <= LargestChunkNumber; ++number) {
        if (isFree(number))
            return formatChunkId(number);
    }
    for (unsigned number = 1; number < std::min(largest, LargestChunkNumber + 1); ++number) {
        if (isFree(number))
            return formatChunkId(number);
    }
    return std::nullopt;
}

} // namespace vorela
