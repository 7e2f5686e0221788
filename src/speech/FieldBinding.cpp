#include "speech/FieldBinding.h"

#include "platform/TextParsing.h"

#include <cstdint>
#include <vector>

namespace vorela {

static bool columnChoosable(SqlType type, BindingMode mode)
{
    switch (mode) {
    case BindingMode::Number:
        return type == SqlType::Char || type == SqlType::Decimal;
    case BindingMode::Amount:
        return type == SqlType::Decimal;
    case BindingMode::TableItem:
        return type == SqlType::Char;
    case BindingMode::Date:
        return type == SqlType::Date;
    }
    return false;
}

std::optional<ColumnRow> columnRow(const TableColumn &column, BindingMode mode)
{
    ColumnRow row;
    switch (column.sqlType) {
    case SqlType::Char:
        row = {"Char", std::to_string(column.length)};
        break;
    case SqlType::Decimal:
        row = {"Num", std::to_string(column.length) + "." + std::to_string(column.decimals)};
        break;
    case SqlType::Date:
        row = {"Date", "8"};
        break;
    case SqlType::Bit:
        row = {"Log", "1"};
        break;
    default:
        return std::nullopt;
    }
    row.choosable = columnChoosable(column.sqlType, mode);
    return row;
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
        const std::vector<std::string> pieces = parseText(inner, " /-:,.", "\"'");
        if (pieces.size() > 2) {
            start.first = pieces[2];
            start.second = pieces[1];
        }
        return start;
    }
    const std::vector<std::string> pieces = parseText(inner, ",.");
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
    // The item stores the constant between apostrophes: one inside would end it early and the
    // item would read nothing.
    if (first.find('\'') != std::string_view::npos || second.find('\'') != std::string_view::npos)
        return false;
    const std::uint64_t firstValue = leadingNumber(first);
    const std::uint64_t secondValue = leadingNumber(second);
    if (mode == BindingMode::Date)
        return firstValue >= 1 && firstValue <= 31 && secondValue >= 1 && secondValue <= 12;
    return firstValue != 0 || secondValue != 0;
}

} // namespace vorela
