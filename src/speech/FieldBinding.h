// Rules of the binding dialogs: which task-table columns an item may be bound to, how the typed
// constant is composed and when it may be accepted, and how a stored binding opens the dialog.
#pragma once

#include "tables/TaskTableQuery.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorela {

/// What the bound item speaks; the values are the modes the task tree hands to the dialogs.
enum class BindingMode { Number = 0, Amount = 1, TableItem = 2, Date = 3 };

/// One row of the dialogs' column list.
struct ColumnRow {
    std::string typeText;   // "Char", "Num", "Date", "Log"
    std::string lengthText; // "12", "10.2", "8", "1"
    bool choosable = false; // rows that may not be chosen carry the marker icon
};

/// The row of a column, or nothing for a column type that is not listed.
[[nodiscard]] std::optional<ColumnRow> columnRow(const TableColumn &column, BindingMode mode);

/// Where a dialog opens: constant mode with the two edits filled, or column mode.
struct BindingStart {
    bool constantMode = true;
    std::string first;  // units, or the day
    std::string second; // hundredths, or the month
};

/// Reads the item's current binding; a binding that is not a constant names a column, which is
/// only usable when the task has a database.
[[nodiscard]] BindingStart bindingStart(BindingMode mode, std::string_view binding,
                                        bool noDatabase);

/// The constant as the item stores it, without the enclosing apostrophes.
[[nodiscard]] std::string composeConstant(BindingMode mode, std::string_view first,
                                          std::string_view second);

/// Whether "Применить" may accept the constant: a non-zero amount or number, or a day 1..31 and
/// month 1..12 for a date; never one holding an apostrophe, which could not be stored.
[[nodiscard]] bool constantAcceptable(BindingMode mode, std::string_view first,
                                      std::string_view second);

} // namespace vorela
