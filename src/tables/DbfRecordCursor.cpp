// Reads records in blocks of about 64 KiB, so a long table costs few reads and little memory.
#include "tables/DbfRecordCursor.h"

#include "tables/DbfTable.h"

#include <algorithm>

namespace vorela {

static constexpr std::size_t BlockBytes = 64 * 1024;

DbfRecordCursor::DbfRecordCursor(const DbfTable &dbfTable) : table(dbfTable) {}

bool DbfRecordCursor::next(std::string &error)
{
    error.clear();
    current = {};
    while (nextIndex < table.records) {
        if (nextIndex >= blockFirst + blockCount && !readBlock(error))
            return false;
        const std::uint32_t index = nextIndex++;
        const std::uint8_t *start =
            block.data() + std::size_t{index - blockFirst} * table.recordLength;
        if (*start == DbfTable::DeletedMark)
            continue;
        current = {start, table.recordLength};
        currentNumber = index + 1;
        return true;
    }
    return false;
}

bool DbfRecordCursor::readBlock(std::string &error)
{
    const std::size_t perBlock = std::max<std::size_t>(1, BlockBytes / table.recordLength);
    blockFirst = nextIndex;
    blockCount =
        static_cast<std::uint32_t>(std::min<std::size_t>(perBlock, table.records - nextIndex));
    block.resize(std::size_t{blockCount} * table.recordLength);
    const std::uint64_t offset =
        table.headerLength + std::uint64_t{blockFirst} * table.recordLength;
    if (table.file.readAt(offset, block))
        return true;
    error = table.path.string() + ": cannot read record " + std::to_string(blockFirst + 1) +
            " (the file is shorter than its header says)";
    blockCount = 0;
    nextIndex = table.records; // a failed table yields nothing more
    return false;
}

} // namespace vorela
