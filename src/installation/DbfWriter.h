// A minimal dBase III writer for the demo task table: character, numeric and date fields, text
// stored in DOS code page 866 as task tables of this system are.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vorela {

/// A column of a table to write (named apart from the reader's DbfField, which the same
/// programs link).
struct DbfWriterField {
    std::string name; // at most 10 ASCII characters
    char type = 'C';  // 'C' character, 'N' numeric, 'D' date (values as YYYYMMDD)
    unsigned length = 10;
    unsigned decimals = 0;
};

/// Writes a table whose language driver byte says CP866; every record is a row of UTF-8 values,
/// one per field. False when a value does not fit its field or the file cannot be written.
[[nodiscard]] bool writeDbf(const std::filesystem::path &file,
                            const std::vector<DbfWriterField> &fields,
                            const std::vector<std::vector<std::string>> &records,
                            std::string &error);

/// Encodes UTF-8 as DOS code page 866; a character without a byte becomes '?'.
[[nodiscard]] std::string utf8ToCp866(std::string_view text);

} // namespace vorela
