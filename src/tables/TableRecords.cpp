#include "tables/TableRecords.h"

#include "platform/RegistryValue.h"
#include "tables/DbfRecordCursor.h"
#include "tables/DbfTable.h"

#include <algorithm>

namespace vorela {

LiveRecords readLiveRecords(const std::filesystem::path &file, std::string_view column)
{
    LiveRecords result;
    const std::optional<DbfTable> table = DbfTable::open(file, result.error);
    if (!table)
        return result;
    const DbfField *field = column.empty() ? nullptr : table->findField(column);
    if (!column.empty() && field == nullptr) {
        result.error = file.string() + ": no column named " + std::string(column);
        return result;
    }
    result.fileRecords = table->recordCount();
    DbfRecordCursor cursor(*table);
    while (cursor.next(result.error))
        result.records.push_back(
            {cursor.number(),
             field == nullptr ? std::string() : table->fieldText(*field, cursor.record())});
    const bool read = result.error.empty();
    if (!read)
        result.records.clear();
    return result;
}

std::optional<std::uint32_t> findRecordContaining(std::span<const NumberedRecord> records,
                                                  std::string_view needle, std::uint32_t after)
{
    if (needle.empty())
        return std::nullopt;
    // Folded as registry names are, so a Cyrillic name is found whatever its case.
    const std::string folded = foldRegistryName(needle);
    const auto contains = [&folded](const NumberedRecord &record) {
        return foldRegistryName(record.text).find(folded) != std::string::npos;
    };
    const auto start = std::find_if(records.begin(), records.end(),
                                    [after](const NumberedRecord &r) { return r.number > after; });
    if (const auto found = std::find_if(start, records.end(), contains); found != records.end())
        return found->number;
    if (const auto found = std::find_if(records.begin(), start, contains); found != start)
        return found->number;
    return std::nullopt;
}

std::uint32_t steppedRecord(std::span<const NumberedRecord> records, std::uint32_t current,
                            int steps)
{
    if (records.empty())
        return 0;
    const std::uint32_t from = current == 0 ? records.front().number : current;
    // The first record not before from: a number between live records stands for the next.
    auto at =
        std::lower_bound(records.begin(), records.end(), from,
                         [](const NumberedRecord &r, std::uint32_t n) { return r.number < n; });
    std::ptrdiff_t index = at - records.begin();
    if (at == records.end() || at->number != from)
        index -= steps > 0 ? 1 : 0;
    const std::ptrdiff_t last = std::ptrdiff_t(records.size()) - 1;
    index = std::clamp<std::ptrdiff_t>(index + steps, 0, last);
    return index == 0 ? 0 : records[std::size_t(index)].number;
}

} // namespace vorela
