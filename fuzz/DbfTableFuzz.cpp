// Fuzzes the DBF reader: the header, the field list and every field of the first live record.
#include "FuzzInput.h"
#include "tables/DbfTable.h"
#include "tables/DbfTaskTableQuery.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vorela;
    const std::filesystem::path file = fuzz::inputFile(data, size, "input.dbf");
    std::string error;
    const std::optional<DbfTable> table = DbfTable::open(file, error);
    if (!table)
        return 0;
    std::optional<std::vector<std::uint8_t>> record;
    if (!table->firstLiveRecord(record, error) || !record)
        return 0;
    for (const DbfField &field : table->fields())
        (void)table->fieldText(field, *record);
    const DbfTaskTableQuery query;
    (void)query.columns(file);
    (void)query.value(file, "*");
    return 0;
}
