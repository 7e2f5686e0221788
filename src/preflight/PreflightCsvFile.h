// The problems of a check written to a CSV file that appears only when the check ran to its end,
// whole, so a failed check or a full disk never leaves a header alone or half a list.
#pragma once

#include "platform/AtomicFileReplace.h"
#include "preflight/PreflightProblem.h"

#include <filesystem>
#include <string>

namespace vorela {

class FileFaults;

class PreflightCsvFile {
public:
    /// Nothing is touched until create(); an existing file stays until commit() succeeds.
    explicit PreflightCsvFile(const std::filesystem::path &file, FileFaults *faults = nullptr);

    /// Starts the temporary file with the header; false when it cannot be written.
    [[nodiscard]] bool create();
    /// Adds one problem's row; a row that cannot be written makes commit() fail.
    void add(const PreflightProblem &problem);
    /// Writes what is pending and puts the file in place; false leaves the old file (or none).
    [[nodiscard]] bool commit();

private:
    [[nodiscard]] bool writePending();

    AtomicFileReplace replace;
    std::string pending;
    bool written = true; // every block so far reached the temporary file
};

} // namespace vorela
