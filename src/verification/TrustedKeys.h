// The public key blobs a greeting phrase may be certified with: the files of trusted-keys/.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace vorela {

class TrustedKeys {
public:
    TrustedKeys() = default;
    explicit TrustedKeys(std::vector<std::vector<std::uint8_t>> keyBlobs)
        : blobs(std::move(keyBlobs))
    {
    }

    /// Every regular file of folder no larger than the largest key blob; files that cannot be read
    /// are passed over, and a missing folder trusts nothing.
    [[nodiscard]] static TrustedKeys load(const std::filesystem::path &folder);

    /// True when keyBlob equals one of the trusted blobs byte for byte.
    [[nodiscard]] bool contains(std::span<const std::uint8_t> keyBlob) const;
    [[nodiscard]] bool empty() const { return blobs.empty(); }

private:
    std::vector<std::vector<std::uint8_t>> blobs;
};

} // namespace vorela
