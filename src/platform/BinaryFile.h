// One open file for positioned binary reads and writes (banks, WAV files), closed by its owner.
#pragma once

#include "platform/FileFaults.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace vorela {

class BinaryFile {
public:
    enum class Access { Read, ReadWrite };

    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(BinaryFile &&other) noexcept;
    BinaryFile &operator=(BinaryFile &&other) noexcept;
    BinaryFile(const BinaryFile &) = delete;
    BinaryFile &operator=(const BinaryFile &) = delete;

    /// Opens an existing file; false when it cannot be opened (the object stays closed).
    [[nodiscard]] bool open(const std::filesystem::path &path, Access access,
                            FileFaults *faults = nullptr);
    /// Creates a new file for writing with the given permission bits. Whatever is at path (a stale
    /// file, a link, a symbolic link) is unlinked first and never written through; false when it
    /// cannot be removed or the new file cannot be made.
    [[nodiscard]] bool create(const std::filesystem::path &path, unsigned permissions,
                              FileFaults *faults = nullptr);
    void close();
    [[nodiscard]] bool isOpen() const { return descriptor >= 0; }

    /// Current length of the file; empty when it cannot be taken.
    [[nodiscard]] std::optional<std::uint64_t> size() const;
    /// Reads exactly out.size() bytes at offset; false on a short read or an error.
    [[nodiscard]] bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
    /// Writes all bytes at offset; false on an error (part of them may have been written).
    [[nodiscard]] bool writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    /// Copies length bytes from source at sourceOffset to this file at offset, in large blocks.
    [[nodiscard]] bool copyFrom(const BinaryFile &source, std::uint64_t sourceOffset,
                                std::uint64_t length, std::uint64_t offset);
    /// Cuts the file to length bytes.
    [[nodiscard]] bool truncate(std::uint64_t length);
    /// Flushes the file's data to the disk.
    [[nodiscard]] bool sync();
    /// Starts writing length bytes at offset to the disk without waiting, so a later sync()
    /// waits less.
    [[nodiscard]] bool startWriteback(std::uint64_t offset, std::uint64_t length);
    /// Sets the permission bits of the open file.
    [[nodiscard]] bool setPermissions(unsigned permissions);
    /// fchown of the open file.
    [[nodiscard]] bool setOwner(unsigned user, unsigned group);

private:
    [[nodiscard]] bool copyThroughBuffer(const BinaryFile &source, std::uint64_t sourceOffset,
                                         std::uint64_t length, std::uint64_t offset);
    [[nodiscard]] bool injectedFailure(FileOperation operation);

    int descriptor = -1;
    FileFaults *faults = nullptr;
};

} // namespace vorela
