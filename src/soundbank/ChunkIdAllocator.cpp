// New chunk ids, chosen over the whole lexeme store and the product bank.
#include "soundbank/ChunkIdAllocator.h"

#include "platform/CodePage.h"
#include "soundbank/ChunkId.h"
#include "soundbank/WaveFile.h"

#include <algorithm>
#include <cstdio>

namespace vorela {

// Four decimal digits fill a chunk id; a fifth would be cut off in the bank.
static constexpr unsigned LargestLexemeNumber = 9999;

static std::string idBytes(const ChunkId &id)
{
    return {id.bytes().begin(), id.bytes().end()};
}

/// The value of a chunk text of exactly four decimal digits.
static std::optional<unsigned> lexemeNumber(std::string_view chunkText)
{
    if (chunkText.size() != 4)
        return std::nullopt;
    unsigned value = 0;
    for (const char c : chunkText) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

static std::string lexemeId(unsigned number)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04u", number);
    return text;
}

ChunkIdAllocator::ChunkIdAllocator(std::span<const std::string> storeChunks,
                                   std::set<std::string> bankIds)
    : usedIds(std::move(bankIds))
{
    for (const std::string &chunk : storeChunks) {
        usedIds.insert(idBytes(ChunkId::fromText(chunk)));
        if (const std::optional<unsigned> number = lexemeNumber(chunk))
            largestLexemeNumber = std::max(largestLexemeNumber, *number);
    }
}

ChunkIdAllocator ChunkIdAllocator::forBank(std::span<const std::string> storeChunks,
                                           const std::filesystem::path &bank)
{
    std::set<std::string> bankIds;
    WaveFile bankFile;
    if (bankFile.Open(bank)) {
        for (const ChunkHeader &chunk : bankFile.chunks())
            bankIds.insert(idBytes(chunk.id));
    }
    return ChunkIdAllocator(storeChunks, std::move(bankIds));
}

bool ChunkIdAllocator::isFreeLexemeNumber(unsigned number) const
{
    return !usedIds.contains(lexemeId(number));
}

std::optional<std::string> ChunkIdAllocator::newLexemeChunkId()
{
    for (unsigned number = largestLexemeNumber + 1; number <= LargestLexemeNumber; ++number) {
        if (!isFreeLexemeNumber(number))
            continue;
        largestLexemeNumber = number;
        return take(lexemeId(number));
    }
    const unsigned below = std::min(largestLexemeNumber, LargestLexemeNumber + 1);
    for (unsigned number = 1; number < below; ++number) {
        if (isFreeLexemeNumber(number))
            return take(lexemeId(number));
    }
    return std::nullopt;
}

std::optional<std::string> ChunkIdAllocator::newTableChunkId()
{
    constexpr int First = 32;
    constexpr int Last = 255;
    for (int high = First; high <= Last; ++high) {
        for (int middle = First; middle <= Last; ++middle) {
            for (int low = First; low <= Last; ++low) {
                const std::string id{'|', static_cast<char>(high), static_cast<char>(middle),
                                     static_cast<char>(low)};
                if (!usedIds.contains(id))
                    return take(id);
            }
        }
    }
    return std::nullopt;
}

std::string ChunkIdAllocator::take(const std::string &id)
{
    usedIds.insert(id);
    return cp1251ToUtf8(id);
}

} // namespace vorela
