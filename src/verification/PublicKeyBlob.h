// The public key blob a certified sound carries: an RSA public key in the layout the notification
// application's cryptographic service imports.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

inline constexpr std::uint32_t MinKeyBits = 384;
inline constexpr std::uint32_t MaxKeyBits = 16384;
inline constexpr std::size_t PublicKeyBlobHeaderBytes = 20;
inline constexpr std::size_t MaxPublicKeyBlobBytes = PublicKeyBlobHeaderBytes + MaxKeyBits / 8;

/// A parsed blob; modulus is a view into the blob, least significant byte first.
struct PublicKeyBlob {
    std::uint32_t bitLength = 0;
    std::uint32_t exponent = 0;
    std::span<const std::uint8_t> modulus;
};

/// Reads an RSA public key blob that is exactly blob.size() bytes long; nullopt for any other
/// type, version, algorithm or magic, a key size outside 384..16384 bits or not in whole bytes, an
/// even or too small exponent, a modulus whose top bit is not the key size's, or a blob truncated
/// or followed by more bytes.
[[nodiscard]] std::optional<PublicKeyBlob> parsePublicKeyBlob(std::span<const std::uint8_t> blob);

/// The blob of a key; modulus least significant byte first, bitLength / 8 bytes.
[[nodiscard]] std::vector<std::uint8_t> encodePublicKeyBlob(std::uint32_t bitLength,
                                                            std::uint32_t exponent,
                                                            std::span<const std::uint8_t> modulus);

} // namespace vorela
