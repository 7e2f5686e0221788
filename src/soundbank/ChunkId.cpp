// Chunk ids between UTF-8 text and the four bytes stored in a bank.
#include "soundbank/ChunkId.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace vorela {

ChunkId ChunkId::fromText(std::string_view text)
{
    // Windows-1251 has one byte per character, so four bytes are the first four characters.
    const std::string encoded = utf8ToCp1251(text);
    ChunkId id;
    std::copy_n(encoded.begin(), std::min<std::size_t>(encoded.size(), 4), id.idBytes.begin());
    return id;
}

ChunkId ChunkId::fromBytes(std::span<const std::uint8_t, 4> bytes)
{
    ChunkId id;
    std::copy(bytes.begin(), bytes.end(), id.idBytes.begin());
    return id;
}

std::string ChunkId::text() const
{
    return cp1251ToUtf8(std::string_view(reinterpret_cast<const char *>(idBytes.data()), 4));
}

} // namespace vorela
