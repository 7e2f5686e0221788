// Answers column lists and binding values from DBF files.
#include "platform/DbfTaskTableQuery.h"

#include "platform/DbfTable.h"

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
    std::optional<std::vector<std::uint8_t>> record;
    if (!table->firstLiveRecord(record, result.error))
        return result;
    if (!record) {
        result.status = TableValue::Status::NoRecord;
        return result;
    }
    result.status = TableValue::Status::Found;
    result.text = field == nullptr ? parsed.text : table->fieldText(*field, *record);
    return result;
}

} // namespace vorela
