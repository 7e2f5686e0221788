// The check that a greeting phrase's sound carries a valid certificate of a trusted key.
#pragma once

#include "verification/TrustedKeys.h"

#include <cstdint>
#include <span>

namespace vorela {

class DataDirectory;

class Verification {
public:
    /// Trusts the key blobs in the data directory's trusted-keys/ folder as they are now.
    explicit Verification(const DataDirectory &dataDirectory);
    explicit Verification(TrustedKeys keys) : trustedKeys(std::move(keys)) {}

    /// True when the sound's hidden payload holds a trusted key blob and that key's signature of
    /// the sound; any fault (lengths, blob, signature, no trusted key) gives false. Reads nothing
    /// outside data.
    [[nodiscard]] bool VerifySound(std::span<const std::uint8_t> data) const;
    [[nodiscard]] bool VerifySound(std::span<const std::int16_t> samples) const;

private:
    TrustedKeys trustedKeys;
};

} // namespace vorela
