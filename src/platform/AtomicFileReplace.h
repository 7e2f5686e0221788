// Replaces a shared file as one step: the new content is built in a temporary file beside it, made
// durable and renamed over it. Readers that have the old file open keep reading it whole.
#pragma once

#include "platform/BinaryFile.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace vorela {

class FileFaults;

class AtomicFileReplace {
public:
    /// Prepares to replace target through temporary (in the same folder); nothing is touched yet.
    AtomicFileReplace(std::filesystem::path target, std::filesystem::path temporary,
                      FileFaults *faults = nullptr);
    /// The same with the temporary file named as the target with ".tmp" appended.
    explicit AtomicFileReplace(const std::filesystem::path &target, FileFaults *faults = nullptr);
    /// Deletes the temporary file unless it was renamed over the target.
    ~AtomicFileReplace();
    AtomicFileReplace(const AtomicFileReplace &) = delete;
    AtomicFileReplace &operator=(const AtomicFileReplace &) = delete;

    /// Creates the temporary file afresh with the target's permission bits; a stale one, or a link
    /// in its place, is replaced and never written through.
    [[nodiscard]] bool create();
    /// Appends bytes to the temporary file.
    [[nodiscard]] bool append(std::span<const std::uint8_t> bytes);
    /// Appends length bytes of source, starting at sourceOffset, streamed in large blocks.
    [[nodiscard]] bool appendFrom(const BinaryFile &source, std::uint64_t sourceOffset,
                                  std::uint64_t length);
    /// Bytes written to the temporary file so far.
    [[nodiscard]] std::uint64_t written() const { return length; }

    /// The final step: fsync the temporary file, rename it over the target, fsync the folder.
    /// False leaves the target as it was, except when only the folder's fsync failed (the target
    /// then already holds the new content). Calling it again resumes where it stopped.
    [[nodiscard]] bool commit();
    /// True once the temporary file has been renamed over the target.
    [[nodiscard]] bool replaced() const { return renamed; }

private:
    [[nodiscard]] bool syncFolder();
    [[nodiscard]] bool countWritten(std::uint64_t count);

    std::filesystem::path targetPath;
    std::filesystem::path temporaryPath;
    FileFaults *faults;
    BinaryFile file;
    std::uint64_t length = 0;
    std::uint64_t handedToDisk = 0;
    bool created = false;
    bool synced = false;
    bool renamed = false;
    bool committed = false;
};

/// Writes content as the whole of file through a temporary file beside it. False leaves the old
/// file (or none) and no temporary file, unless only the folder's fsync failed.
[[nodiscard]] bool replaceFileContent(const std::filesystem::path &file, std::string_view content);

} // namespace vorela
