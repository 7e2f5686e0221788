// Loading the trusted public key blobs from the data directory.
#include "verification/TrustedKeys.h"

#include "verification/PublicKeyBlob.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace vorela {

static std::optional<std::vector<std::uint8_t>> readSmallFile(const std::filesystem::path &file,
                                                              std::uintmax_t size)
{
    std::ifstream stream(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!stream.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size)))
        return std::nullopt;
    return bytes;
}

TrustedKeys TrustedKeys::load(const std::filesystem::path &folder)
{
    std::vector<std::vector<std::uint8_t>> keyBlobs;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code fileError;
        if (!entry->is_regular_file(fileError))
            continue;
        const std::uintmax_t size = entry->file_size(fileError);
        if (fileError || size == 0 || size > MaxPublicKeyBlobBytes)
            continue;
        std::optional<std::vector<std::uint8_t>> blob = readSmallFile(entry->path(), size);
        if (blob)
            keyBlobs.push_back(std::move(*blob));
    }
    return TrustedKeys(std::move(keyBlobs));
}

bool TrustedKeys::contains(std::span<const std::uint8_t> keyBlob) const
{
    return std::any_of(
        blobs.begin(), blobs.end(), [keyBlob](const std::vector<std::uint8_t> &blob) {
            return std::equal(blob.begin(), blob.end(), keyBlob.begin(), keyBlob.end());
        });
}

} // namespace vorela
