// The certificate a greeting phrase carries in bit 0 of its samples: the hidden stream, the payload
// (signature length, signature, key length, key blob) and the digest the signature covers.
#pragma once

#include "verification/RsaKey.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

/// Signature and key blob of a payload, as views into it.
struct CertificateFields {
    std::span<const std::uint8_t> signature;
    std::span<const std::uint8_t> keyBlob;
};

/// The little-endian bytes of a sound in memory.
[[nodiscard]] std::span<const std::uint8_t> soundBytes(std::span<const std::int16_t> samples);

/// The payload carried by a sound of n bytes: n / 32 bytes, each the XOR of two hidden-stream
/// bytes.
[[nodiscard]] std::vector<std::uint8_t> extractPayload(std::span<const std::uint8_t> sound);

/// The fields of a payload; nullopt when a length is zero or runs past the end of the payload.
[[nodiscard]] std::optional<CertificateFields> parsePayload(std::span<const std::uint8_t> payload);

/// SHA-1 of the sound with bit 0 of every sample's low byte cleared; nullopt when hashing fails.
[[nodiscard]] std::optional<Sha1Digest> signedContentDigest(std::span<const std::uint8_t> sound);

/// The payload of a certificate: length, signature, length, key blob.
[[nodiscard]] std::vector<std::uint8_t> encodePayload(const CertificateFields &fields);

/// Sound bytes needed to carry a payload of payloadBytes.
[[nodiscard]] constexpr std::size_t soundBytesForPayload(std::size_t payloadBytes)
{
    return payloadBytes * 32;
}

/// Payload bytes of a certificate made with a key of keyBits: both lengths, signature, key blob.
[[nodiscard]] std::size_t certificatePayloadBytes(unsigned keyBits);

/// Writes payload into bit 0 of the samples, changing each sample by at most one step; false (the
/// samples untouched) when the sound is too short to carry it.
[[nodiscard]] bool embedPayload(std::span<std::int16_t> samples,
                                std::span<const std::uint8_t> payload);

/// Signs the sound with key and embeds the signature and the key's public blob; false (the samples
/// untouched) when the sound is too short or the key cannot sign.
[[nodiscard]] bool certifySound(std::span<std::int16_t> samples, const RsaKey &key);

} // namespace vorela
