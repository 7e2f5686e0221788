#include "speech/RelativeDate.h"

#include "platform/CodePage.h"
#include "platform/TextParsing.h"

#include <string>

namespace vorela {

// Characters first..first+count-1 (counting from 1) of a UTF-8 text; shorter at its end.
static std::string characters(std::string_view text, std::size_t first, std::size_t count)
{
    std::string out;
    std::size_t index = 0;
    for (std::size_t position = 0; position < text.size() && index < first - 1 + count; ++index) {
        const char32_t character = decodeUtf8(text, position);
        if (index + 1 >= first)
            appendUtf8(out, character);
    }
    return out;
}

RelativeDate relativeDateOf(std::string_view itemText)
{
    const bool nominative = characters(itemText, 12, 2) == "им";
    return {leadingNumber(characters(itemText, 7, 3)),
            nominative ? DateCase::Nominative : DateCase::Genitive};
}

} // namespace vorela
