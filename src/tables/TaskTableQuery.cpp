// Binding forms and table path resolution shared by every task-table query.
#include "tables/TaskTableQuery.h"

#include "platform/TextParsing.h"

#include <system_error>

namespace vorela {

static bool isNameCharacter(unsigned char character)
{
    // Column names are letters, digits and '_'; bytes above 0x7F are letters of a Cyrillic name.
    return character == '_' || (character >= '0' && character <= '9') ||
           (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z') ||
           character >= 0x80;
}

static std::optional<std::string> constantContent(std::string_view quoted)
{
    std::string content;
    const std::string_view inner = quoted.substr(1, quoted.size() - 2);
    for (std::size_t position = 0; position < inner.size(); ++position) {
        if (inner[position] != '\'') {
            content += inner[position];
            continue;
        }
        if (position + 1 >= inner.size() || inner[position + 1] != '\'')
            return std::nullopt; // a lone apostrophe would end the constant early
        content += '\'';
        ++position;
    }
    return content;
}

TableBinding classifyBinding(std::string_view binding)
{
    const std::string_view text = trimBlanks(binding);
    if (text == "*")
        return {TableBinding::Kind::FirstColumn, {}};
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
        std::optional<std::string> content = constantContent(text);
        if (!content)
            return {};
        return {TableBinding::Kind::Constant, std::move(*content)};
    }
    if (text.empty())
        return {};
    for (const char character : text) {
        if (!isNameCharacter(static_cast<unsigned char>(character)))
            return {};
    }
    return {TableBinding::Kind::Column, std::string(text)};
}

std::optional<std::filesystem::path> resolveTablePath(const std::filesystem::path &path)
{
    if (path.empty())
        return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return std::nullopt;
    return absolute.lexically_normal();
}

} // namespace vorela
