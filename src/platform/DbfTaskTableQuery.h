// The task-table query over DBF files: each call opens the file, reads what it needs and closes it,
// so a table replaced between two calls is read afresh.
#pragma once

#include "platform/TaskTableQuery.h"

namespace vorela {

class DbfTaskTableQuery final : public TaskTableQuery {
public:
    [[nodiscard]] TableColumns columns(const std::filesystem::path &file) const override;
    [[nodiscard]] TableValue value(const std::filesystem::path &file,
                                   std::string_view binding) const override;
};

} // namespace vorela
