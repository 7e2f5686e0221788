// Splitting and number reading shared by every text the editor parses: bindings, amounts, dates,
// addresses, lexeme paths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// Splits text at any of the separator characters into its non-empty pieces. Text between a pair of
/// equal quote characters stays in one piece, separators included; the quotes themselves are
/// dropped and an unclosed quote runs to the end. Separators and quotes are ASCII, so UTF-8 text is
/// never cut inside a character.
[[nodiscard]] std::vector<std::string> parseText(std::string_view text, std::string_view separators,
                                                 std::string_view quotes = "");

/// The text without the blanks and tabs at both ends.
[[nodiscard]] std::string_view trimBlanks(std::string_view text);

/// Value of the leading decimal digits of text; 0 when it starts with anything else or is empty.
/// A value too large for 64 bits reads as the largest one, so range checks still refuse it.
[[nodiscard]] std::uint64_t leadingNumber(std::string_view text);

} // namespace vorela
