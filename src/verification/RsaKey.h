// An RSA key for certifying greeting phrases: its public blob, its private PEM file, and signatures
// over SHA-1 digests in the byte order the notification application's cryptographic service uses.
#pragma once

#include "verification/OpenSslHandles.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

using Sha1Digest = std::array<std::uint8_t, 20>;

class RsaKey {
public:
    /// Takes ownership of an RSA key made elsewhere (tests build unusual ones).
    explicit RsaKey(EvpPkeyPtr rsaKey) : key(std::move(rsaKey)) {}

    /// A new key pair with public exponent 65537; nullopt when the library fails.
    [[nodiscard]] static std::optional<RsaKey> generate(unsigned bits);
    /// The public key of a blob; nullopt when the blob does not parse or the library refuses it.
    [[nodiscard]] static std::optional<RsaKey>
    fromPublicKeyBlob(std::span<const std::uint8_t> blob);
    /// An RSA private key from a PEM file; nullopt when it is unreadable, not RSA or not 384..16384
    /// bits.
    [[nodiscard]] static std::optional<RsaKey> loadPrivateKey(const std::filesystem::path &pemFile);

    /// Writes the private key as PEM, readable by the owner only; false when the file already
    /// exists (a key is never overwritten) or cannot be written.
    [[nodiscard]] bool savePrivateKey(const std::filesystem::path &pemFile) const;
    /// The public half as a blob; empty when the key does not fit the blob layout.
    [[nodiscard]] std::vector<std::uint8_t> publicKeyBlob() const;
    /// PKCS#1 v1.5 signature with the SHA-1 DigestInfo, least significant byte first.
    [[nodiscard]] std::optional<std::vector<std::uint8_t>>
    signDigest(const Sha1Digest &digest) const;
    /// True when signature (least significant byte first, exactly the key's size) signs digest,
    /// with or without the DigestInfo.
    [[nodiscard]] bool verifyDigest(const Sha1Digest &digest,
                                    std::span<const std::uint8_t> signature) const;

    [[nodiscard]] unsigned bits() const;

private:
    EvpPkeyPtr key;
};

} // namespace vorela
