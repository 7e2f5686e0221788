// The live records of a task table by their number in the file, so that one subscriber's record
// can be chosen, found by a value, or each rendered in turn.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// A live record: its 1-based number in the file (deleted records counted) and one column's text.
struct NumberedRecord {
    std::uint32_t number = 0;
    std::string text;
    bool operator==(const NumberedRecord &) const = default;
};

struct LiveRecords {
    std::vector<NumberedRecord> records; // in file order
    std::uint32_t fileRecords = 0;       // deleted ones included
    std::string error;                   // names the file; empty when the table was read
    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Every live record of the DBF file with the text of column (no text when column is empty); an
/// error when the file or the column cannot be read.
[[nodiscard]] LiveRecords readLiveRecords(const std::filesystem::path &file,
                                          std::string_view column = {});

/// The number of the first record after the one numbered after (going round to the start) whose
/// text contains needle, ignoring case; empty when none does or needle is empty.
[[nodiscard]] std::optional<std::uint32_t>
findRecordContaining(std::span<const NumberedRecord> records, std::string_view needle,
                     std::uint32_t after);

/// The record number steps live records away from current, where 0 stands for the first live
/// record and is also where stepping back onto that record lands; the ends hold.
[[nodiscard]] std::uint32_t steppedRecord(std::span<const NumberedRecord> records,
                                          std::uint32_t current, int steps);

} // namespace vorela
