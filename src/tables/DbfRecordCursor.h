// Walks the live records of a DBF table once, front to back, in blocks: the memory it holds does
// not grow with the table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vorela {

class DbfTable;

class DbfRecordCursor {
public:
    /// Reads table, which must outlive the cursor; the first next() gives the first live record.
    explicit DbfRecordCursor(const DbfTable &table);

    /// Moves to the next record not marked deleted. False at the end of the table, or with error
    /// naming the file when the records its header promises cannot be read.
    [[nodiscard]] bool next(std::string &error);

    /// The record next() moved to, deletion flag first; valid until the following next().
    [[nodiscard]] std::span<const std::uint8_t> record() const { return current; }
    /// Its 1-based number in the file, deleted records counted.
    [[nodiscard]] std::uint32_t number() const { return currentNumber; }

private:
    [[nodiscard]] bool readBlock(std::string &error);

    const DbfTable &table;
    std::vector<std::uint8_t> block;
    std::uint32_t blockFirst = 0; // 0-based number of the block's first record
    std::uint32_t blockCount = 0;
    std::uint32_t nextIndex = 0; // 0-based number of the record next() looks at
    std::uint32_t currentNumber = 0;
    std::span<const std::uint8_t> current;
};

} // namespace vorela
