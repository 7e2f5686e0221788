// The four bytes that name one sound in a bank: the Windows-1251 form of the chunk text,
// blank-padded and cut to four, as the notification application reads them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vorela {

class ChunkId {
public:
    ChunkId() = default;
    /// The id of a chunk text (UTF-8): its first four characters, padded with blanks.
    [[nodiscard]] static ChunkId fromText(std::string_view text);
    [[nodiscard]] static ChunkId fromBytes(std::span<const std::uint8_t, 4> bytes);

    /// The id as UTF-8 text, blanks included.
    [[nodiscard]] std::string text() const;
    [[nodiscard]] const std::array<std::uint8_t, 4> &bytes() const { return idBytes; }

    bool operator==(const ChunkId &) const = default;

private:
    std::array<std::uint8_t, 4> idBytes{' ', ' ', ' ', ' '};
};

} // namespace vorela
