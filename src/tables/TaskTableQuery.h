// What the editor asks of a task's database table: its columns for the binding dialogs, and the
// value one binding reads from the first live record for template expansion.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// Column type codes as the dialogs know them (ODBC numbering).
enum class SqlType { Unusable = 0, Char = 1, Decimal = 3, Date = 9, Bit = -7, LongText = -1 };

struct TableColumn {
    std::string name; // UTF-8
    SqlType sqlType = SqlType::Unusable;
    int length = 0;
    int decimals = 0;
    /// Whether a binding to it reads a value; memo and other unreadable columns do not.
    [[nodiscard]] bool usable() const
    {
        return sqlType != SqlType::Unusable && sqlType != SqlType::LongText;
    }
};

struct TableColumns {
    std::vector<TableColumn> columns;
    std::string error; // empty when the table was read
    [[nodiscard]] bool ok() const { return error.empty(); }
};

struct TableValue {
    enum class Status { Found, NoRecord, NoSuchColumn, Failed };
    Status status = Status::Failed;
    std::string text;  // UTF-8; empty unless Found
    std::string error; // why, for NoSuchColumn and Failed
};

/// How a binding reads: 'constant' (a doubled apostrophe inside stands for one), `*` (the first
/// column) or a column name. Nothing else is a binding, so none is ever pasted into a statement.
struct TableBinding {
    enum class Kind { Constant, FirstColumn, Column, Invalid };
    Kind kind = Kind::Invalid;
    std::string text; // the constant's content, or the column name
};

[[nodiscard]] TableBinding classifyBinding(std::string_view binding);

/// The absolute path of an existing table file; empty when the path names no regular file.
[[nodiscard]] std::optional<std::filesystem::path>
resolveTablePath(const std::filesystem::path &path);

class TaskTableQuery {
public:
    virtual ~TaskTableQuery() = default;
    /// Every visible column in table order; an error names the file and what is wrong with it.
    [[nodiscard]] virtual TableColumns columns(const std::filesystem::path &file) const = 0;
    /// The value the binding reads from the first live record; NoRecord for a table without one.
    [[nodiscard]] virtual TableValue value(const std::filesystem::path &file,
                                           std::string_view binding) const = 0;
};

} // namespace vorela
