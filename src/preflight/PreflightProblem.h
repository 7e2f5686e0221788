// What a check of a whole mailing finds: one problem per template item and record, by kind.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vorela {

enum class ProblemKind {
    Unspeakable,      ///< the value cannot be spoken (an amount, date or number the speech refuses)
    MissingSound,     ///< a key the item speaks has no sound in the bank
    TableKeyMissing,  ///< no entry of the item's lexeme table has the value as its key name
    MissingColumn,    ///< the binding names no column of the task's table, or is no binding
    EmptyValue,       ///< the value is empty: heard as silence, as zero or as today's date
    NoGreeting,       ///< the template lacks the greeting phrase, without which it is not spoken
    UnreadableColumn, ///< the bound column's type cannot be read (memo, currency)
};
inline constexpr std::size_t ProblemKindCount = 7;

/// Record number of a problem that every record shares (a fixed lexeme, a constant, a column).
inline constexpr std::uint32_t EveryRecord = 0;

struct PreflightProblem {
    ProblemKind kind = ProblemKind::Unspeakable;
    std::uint32_t record = EveryRecord; // 1-based in the table file, deleted records counted
    std::string task;
    std::string operatorName;
    std::string itemName; // the template item's subkey name ("0003"); "" for the whole template
    std::string item;     // the item's text as the task tree shows it
    std::string column;   // the item's binding as stored; "" for an item that reads none
    std::string value;    // what the binding read, as read
    std::string reason;   // for the operator, in Russian
};

/// The Russian name of a kind, for summaries and lists.
[[nodiscard]] const char *problemKindName(ProblemKind kind);

/// Problems counted by kind, indexed by the kind's value.
using ProblemCounts = std::array<std::uint64_t, ProblemKindCount>;

} // namespace vorela
