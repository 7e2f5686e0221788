// Answers column lists and binding values from DBF files.
#include "tables/DbfTaskTableQuery.h"

#include "tables/DbfTable.h"

namespace vorela {

TableColumns DbfTaskTableQuery::columns(const std::filesystem::path &file) const
{
    TableColumns result;
    const std::optional<DbfTable> table = DbfTable::open(file, result.error);
    if (!table)
        return result;
    for (const DbfField &field : table->fields())
        result.columns.push_back(field.column);
    return result;
}

std::optional<std::vector<std::uint8_t>>
DbfTaskTableQuery::readRecord(const DbfTable &table, const std::filesystem::path &file,
                              TableValue &result) const
{
    std::optional<std::vector<std::uint8_t>> record;
    if (!recordNumber) {
        if (table.firstLiveRecord(record, result.error) && !record)
            result.status = TableValue::Status::NoRecord;
        return record;
    }
    std::vector<std::uint8_t> bytes;
    const DbfTable::RecordState state = table.readRecord(*recordNumber, bytes, result.error);
    if (state == DbfTable::RecordState::Live)
        return bytes;
    if (state == DbfTable::RecordState::Deleted)
        result.error = file.string() + ": record " + std::to_string(*recordNumber) + " is deleted";
    return std::nullopt;
}

TableValue DbfTaskTableQuery::value(const std::filesystem::path &file,
                                    std::string_view binding) const
{
    TableValue result;
    const TableBinding parsed = classifyBinding(binding);
    const std::optional<DbfTable> table = DbfTable::open(file, result.error);
    if (!table)
        return result;
    if (parsed.kind == TableBinding::Kind::Invalid) {
        result.status = TableValue::Status::NoSuchColumn;
        result.error = file.string();
        result.error.append(": '").append(binding).append("' is no column name, '*' or constant");
        return result;
    }
    const DbfField *field =
        parsed.kind == TableBinding::Kind::Constant ? nullptr : table->boundField(parsed);
    if (parsed.kind != TableBinding::Kind::Constant && field == nullptr) {
        result.status = TableValue::Status::NoSuchColumn;
        result.error = file.string() + ": no column named " + parsed.text;
        return result;
    }
    const std::optional<std::vector<std::uint8_t>> record = readRecord(*table, file, result);
    if (!record)
        return result;
    result.status = TableValue::Status::Found;
    result.text = field == nullptr ? parsed.text : table->fieldText(*field, *record);
    return result;
}

} // namespace vorela
