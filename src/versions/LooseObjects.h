// Sound blobs as git loose objects whose zlib stream is stored, not compressed: sounds barely
// compress, and a stored stream reads back at the speed of a copy. libgit2 1.5 cannot write them
// (its loose store takes level 0 as "no zlib at all", which no reader accepts), so they are
// written here, as git writes a loose object; any loose object, at any level, is read here too.
#pragma once

#include "versions/LibraryFiles.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vorela {

/// Writes the blob of bytes into the object folder (history.git/objects): a temporary file renamed
/// into place, not synced (the version naming it syncs once). False with the reason, also when
/// the bytes are not those of id (they changed while they were read).
[[nodiscard]] bool writeStoredBlob(const std::filesystem::path &objects, const BlobId &id,
                                   std::span<const std::uint8_t> bytes, std::string &error);

enum class LooseRead { Read, Absent, Damaged };

/// Whether the loose object id in the folder objects is a whole zlib stream (Read), is no such
/// stream or is cut short (Damaged), or has no file (Absent). Its content is not checked.
[[nodiscard]] LooseRead checkLooseObject(const std::filesystem::path &objects, const BlobId &id);

/// Reads loose blobs of one object folder, into buffers kept from one blob to the next.
class LooseBlobReader {
public:
    explicit LooseBlobReader(std::filesystem::path folder) : objects(std::move(folder)) {}

    /// The loose blob id of size bytes, valid until the next read; Damaged unless its file
    /// inflates to exactly such a blob whose git id is id: every byte is checked.
    [[nodiscard]] LooseRead read(const BlobId &id, std::uint32_t size,
                                 std::span<const std::uint8_t> &bytes);

private:
    std::filesystem::path objects;
    std::vector<std::uint8_t> file;
    std::vector<std::uint8_t> object;
};

} // namespace vorela
