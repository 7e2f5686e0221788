#include "stores/LexemeTable.h"

#include "platform/CodePage.h"
#include "platform/TextParsing.h"
#include "stores/LexItem.h"

#include <algorithm>

namespace vorela {

bool tableTextLess(std::string_view left, std::string_view right, bool asNumbers)
{
    if (asNumbers) {
        const std::size_t leftLength = utf8Length(left);
        const std::size_t rightLength = utf8Length(right);
        if (leftLength != rightLength)
            return leftLength < rightLength;
    }
    // UTF-8 byte order is code point order.
    return left < right;
}

TableSortMode sortModeAfterClick(TableSortMode current, int column)
{
    if (column == 0)
        return current == TableSortMode::NamesAsText ? TableSortMode::NamesAsNumbers
                                                     : TableSortMode::NamesAsText;
    return current == TableSortMode::KeysAsText ? TableSortMode::KeysAsNumbers
                                                : TableSortMode::KeysAsText;
}

std::string_view tableKeyName(std::string_view text)
{
    return trimBlanks(text);
}

bool keyNameInUse(std::string_view keyName, const std::vector<std::string> &keyNames)
{
    // A stored "Северный " is found by the value "Северный": a second entry would never speak.
    const std::string_view wanted = tableKeyName(keyName);
    return std::any_of(keyNames.begin(), keyNames.end(), [wanted](const std::string &stored) {
        return tableKeyName(stored) == wanted;
    });
}

static void appendChunks(const LexItem &node, std::vector<std::string> &chunks)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        chunks.push_back(child->GetChunk());
        appendChunks(*child, chunks);
    }
}

std::vector<std::string> collectStoreChunks(const LexItem &root)
{
    std::vector<std::string> chunks;
    appendChunks(root, chunks);
    return chunks;
}

} // namespace vorela
