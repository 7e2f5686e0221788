// The task-table query over DBF files: each call opens the file, reads what it needs and closes it,
// so a table replaced between two calls is read afresh. Calls on one object may run in parallel.
#pragma once

#include "tables/TaskTableQuery.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vorela {

class DbfTable;

class DbfTaskTableQuery final : public TaskTableQuery {
public:
    /// Values come from the first live record.
    DbfTaskTableQuery() = default;
    /// Values come from the record numbered recordNumber (1-based, deleted records counted); a
    /// deleted or missing record fails every value with a reason.
    explicit DbfTaskTableQuery(std::uint32_t number) : recordNumber(number) {}

    [[nodiscard]] TableColumns columns(const std::filesystem::path &file) const override;
    [[nodiscard]] TableValue value(const std::filesystem::path &file,
                                   std::string_view binding) const override;

private:
    [[nodiscard]] std::optional<std::vector<std::uint8_t>>
    readRecord(const DbfTable &table, const std::filesystem::path &file, TableValue &result) const;

    std::optional<std::uint32_t> recordNumber;
};

} // namespace vorela
