#include "speech/FieldBinding.h"

#include <limits>
#include <vector>

namespace vorela {

static bool columnChoosable(ColumnSqlType type, BindingMode mode)
{
    switch (mode) {
    case BindingMode::Number:
        return type == ColumnSqlType::Char || type == ColumnSqlType::Decimal;
    case BindingMode::Amount:
        return type == ColumnSqlType::Decimal;
    case BindingMode::TableItem:
        return type == ColumnSqlType::Char;
    case BindingMode::Date:
        return type == ColumnSqlType::Date;
    }
    return false;
}

std::optional<ColumnRow> columnRow(int sqlType, int length, int decimals, BindingMode mode)
{
    const auto type = static_cast<ColumnSqlType>(sqlType);
    ColumnRow row;
    switch (type) {
    case ColumnSqlType::Char:
        row = {"Char", std::to_string(length)};
        break;
    case ColumnSqlType::Decimal:
        row = {"Num", std::to_string(length) + "." + std::to_string(decimals)};
        break;
    case ColumnSqlType::Date:
        row = {"Date", "8"};
        break;
    case ColumnSqlType::Bit:
        row = {"Log", "1"};
        break;
    default:
        return std::nullopt;
    }
    row.choosable = columnChoosable(type, mode);
    return row;
}

// Splits at any of the separators, dropping empty pieces, as the stored constants were read.
static std::vector<std::string> splitPieces(std::string_view text, std::string_view separators)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (const char character : text) {
        if (separators.find(character) == std::string_view::npos) {
            piece.push_back(character);
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

static bool isQuotedConstant(std::string_view binding)
{
    return binding.size() >= 2 && binding.front() == '\'' && binding.back() == '\'';
}

BindingStart bindingStart(BindingMode mode, std::string_view binding, bool noDatabase)
{
    if (binding.empty())
        return {};
    if (!isQuotedConstant(binding))
        return {noDatabase, {}, {}};
    const std::string_view inner = binding.substr(1, binding.size() - 2);
    BindingStart start;
    if (mode == BindingMode::Date) {
        // Dates are stored year first: 0000/MM/DD.
        const std::vector<std::string> pieces = splitPieces(inner, " /-:,.\"'");
        if (pieces.size() > 2) {
            start.first = pieces[2];
            start.second = pieces[1];
        }
        return start;
    }
    const std::vector<std::string> pieces = splitPieces(inner, ",.");
    if (!pieces.empty())
        start.first = pieces[0];
    if (pieces.size() > 1)
        start.second = pieces[1];
    return start;
}

std::string composeConstant(BindingMode mode, std::string_view first, std::string_view second)
{
    switch (mode) {
    case BindingMode::Amount:
        return std::string(first) + "," + std::string(second);
    case BindingMode::Date:
        return "0000/" + std::string(second) + "/" + std::string(first);
    case BindingMode::Number:
    case BindingMode::TableItem:
        break;
    }
    return std::string(first);
}

bool constantAcceptable(BindingMode mode, std::string_view first, std::string_view second)
{
    const unsigned long firstValue = unsignedValue(first);
    const unsigned long secondValue = unsignedValue(second);
    if (mode == BindingMode::Date)
        return firstValue >= 1 && firstValue <= 31 && secondValue >= 1 && secondValue <= 12;
    return firstValue != 0 || secondValue != 0;
}

unsigned long unsignedValue(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && (text[position] == ' ' || text[position] == '\t'))
        ++position;
    constexpr unsigned long Limit = std::numeric_limits<unsigned long>::max();
    unsigned long value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        const auto digit = static_cast<unsigned long>(text[position] - '0');
        if (value > (Limit - digit) / 10)
            return Limit;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace vorela
