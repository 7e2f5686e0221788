// A bank file as the files of a version: an index of its chunks in order and one file per sound,
// named by its chunk id; and a bank built back from them.
#pragma once

#include "versions/LibraryFiles.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vorela {

class AtomicFileReplace;
class BinaryFile;

/// Adds folder + "index" and folder + "sounds/I/ID" (I: the id's first two bytes; the first chunk
/// of each id: the one readers find) for the open bank, the sounds marked as lying in it (source).
/// False with the reason (naming name) when the bank cannot be read.
[[nodiscard]] bool readBankFiles(const BinaryFile &bank, const std::filesystem::path &name,
                                 FileSource source, std::string_view folder, LibraryFiles &files,
                                 std::string &error);

/// Where the bytes of the sounds come from while a bank is built.
struct SoundSources {
    const BinaryFile *productBank = nullptr;
    const BinaryFile *currencyBank = nullptr;
    /// Appends the bytes of the blob of that size to the new bank; false when it cannot be read.
    std::function<bool(const BlobId &, std::uint32_t, AtomicFileReplace &)> history;
};

/// Writes the bank of folder into replace (created, not committed): the RIFF header, the format
/// part as it was and each chunk of the index in order. False with the reason on a failure.
[[nodiscard]] bool buildBank(const LibraryFiles &files, std::string_view folder,
                             const SoundSources &sources, AtomicFileReplace &replace,
                             std::string &error);

/// The chunk id a sound's path in a version names ("bank/sounds/%2BD/%2BDLR" -> "+DLR"); empty when
/// the path is no sound's.
[[nodiscard]] std::optional<std::string> soundChunkId(std::string_view path);

} // namespace vorela
