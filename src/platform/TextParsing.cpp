// Splitting and number reading shared by every text the editor parses.
#include "platform/TextParsing.h"

#include <limits>

namespace vorela {

std::vector<std::string> parseText(std::string_view text, std::string_view separators,
                                   std::string_view quotes)
{
    std::vector<std::string> pieces;
    std::string piece;
    char openQuote = 0;
    for (const char character : text) {
        if (openQuote != 0) {
            if (character == openQuote)
                openQuote = 0;
            else
                piece += character;
            continue;
        }
        if (quotes.find(character) != std::string_view::npos) {
            openQuote = character;
            continue;
        }
        if (separators.find(character) == std::string_view::npos) {
            piece += character;
            continue;
        }
        if (!piece.empty())
            pieces.push_back(std::move(piece));
        piece.clear();
    }
    if (!piece.empty())
        pieces.push_back(std::move(piece));
    return pieces;
}

std::string_view trimBlanks(std::string_view text)
{
    // A plain loop: the check before a mailing trims every value of a table.
    const auto blank = [](char character) { return character == ' ' || character == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::uint64_t leadingNumber(std::string_view text)
{
    constexpr std::uint64_t Largest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (const char character : text) {
        if (character < '0' || character > '9')
            break;
        const auto digit = static_cast<std::uint64_t>(character - '0');
        if (value > (Largest - digit) / 10)
            return Largest;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace vorela
