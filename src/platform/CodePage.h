// Conversions between UTF-8 and the two Cyrillic single-byte code pages of shared data:
// Windows-1251 (bank chunk ids, old .reg files, some task tables) and DOS 866 (task tables).
#pragma once

#include <string>
#include <string_view>

namespace vorela {

/// Decodes Windows-1251 bytes; every byte maps (0x98 to U+0098), so any byte string round-trips.
[[nodiscard]] std::string cp1251ToUtf8(std::string_view bytes);

/// Encodes UTF-8 as Windows-1251; a character with no byte, or broken UTF-8, becomes '?'.
[[nodiscard]] std::string utf8ToCp1251(std::string_view text);

/// Decodes DOS code page 866 bytes.
[[nodiscard]] std::string cp866ToUtf8(std::string_view bytes);

/// Decodes one UTF-8 character at text[pos]; advances pos. Broken sequences read as U+FFFD.
[[nodiscard]] char32_t decodeUtf8(std::string_view text, std::size_t &pos);

/// Appends the UTF-8 form of one character.
void appendUtf8(std::string &out, char32_t character);

/// Number of Unicode characters in a UTF-8 text.
[[nodiscard]] std::size_t utf8Length(std::string_view text);

} // namespace vorela
