// The check's CSV file, written through a temporary file in large blocks.
#include "preflight/PreflightCsvFile.h"

#include "preflight/PreflightCsv.h"

#include <cstdint>

namespace vorela {

// Rows gathered before one write: a table of a million records must not cost a write per row.
static constexpr std::size_t BlockBytes = 1 << 16;

PreflightCsvFile::PreflightCsvFile(const std::filesystem::path &file, FileFaults *faults)
    : replace(file, faults)
{
}

bool PreflightCsvFile::create()
{
    pending = preflightCsvHeader();
    return replace.create();
}

void PreflightCsvFile::add(const PreflightProblem &problem)
{
    pending += preflightCsvRow(problem);
    if (pending.size() >= BlockBytes)
        (void)writePending(); // a block that failed is remembered and makes commit() fail
}

bool PreflightCsvFile::commit()
{
    return writePending() && replace.commit();
}

// A lost block fails every later step, so the rows after it never make a file that lacks it.
bool PreflightCsvFile::writePending()
{
    written = written && replace.append({reinterpret_cast<const std::uint8_t *>(pending.data()),
                                         pending.size()});
    pending.clear();
    return written;
}

} // namespace vorela
