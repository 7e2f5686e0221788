// Reading and writing the certificate hidden in bit 0 of a greeting phrase's samples.
#include "verification/GreetingCertificate.h"

#include "platform/ByteReader.h"
#include "verification/PublicKeyBlob.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <bit>

namespace vorela {

// Sample bytes go through this many at a time while hashing, so no copy of the sound is needed.
static constexpr std::size_t HashBlockBytes = 4096;

std::span<const std::uint8_t> soundBytes(std::span<const std::int16_t> samples)
{
    static_assert(std::endian::native == std::endian::little, "samples are stored little-endian");
    return {reinterpret_cast<const std::uint8_t *>(samples.data()), samples.size_bytes()};
}

// Byte k of the hidden stream: bit 0 of the low bytes of samples 8k .. 8k + 7, first in the lowest
// bit.
static std::uint8_t hiddenByte(std::span<const std::uint8_t> sound, std::size_t k)
{
    std::uint8_t value = 0;
    for (std::size_t bit = 0; bit < 8; ++bit)
        value |= static_cast<std::uint8_t>((sound[16 * k + 2 * bit] & 1u) << bit);
    return value;
}

std::vector<std::uint8_t> extractPayload(std::span<const std::uint8_t> sound)
{
    std::vector<std::uint8_t> payload(sound.size() / 32);
    for (std::size_t m = 0; m < payload.size(); ++m)
        payload[m] = hiddenByte(sound, 2 * m) ^ hiddenByte(sound, 2 * m + 1);
    return payload;
}

std::optional<CertificateFields> parsePayload(std::span<const std::uint8_t> payload)
{
    ByteReader reader(payload);
    std::uint32_t signatureLength = 0;
    std::uint32_t keyLength = 0;
    CertificateFields fields;
    if (!reader.readU32le(signatureLength) || signatureLength == 0 ||
        !reader.readBytes(signatureLength, fields.signature))
        return std::nullopt;
    if (!reader.readU32le(keyLength) || keyLength == 0 ||
        !reader.readBytes(keyLength, fields.keyBlob))
        return std::nullopt;
    return fields;
}

std::optional<Sha1Digest> signedContentDigest(std::span<const std::uint8_t> sound)
{
    const EvpMdCtxPtr context(EVP_MD_CTX_new());
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha1(), nullptr) != 1)
        return std::nullopt;
    std::array<std::uint8_t, HashBlockBytes> block{};
    for (std::size_t offset = 0; offset < sound.size(); offset += HashBlockBytes) {
        const std::size_t count = std::min(HashBlockBytes, sound.size() - offset);
        std::copy_n(sound.begin() + static_cast<std::ptrdiff_t>(offset), count, block.begin());
        // Blocks start at even offsets, so even indices here are the samples' low bytes.
        for (std::size_t i = 0; i < count; i += 2)
            block[i] &= 0xFE;
        if (EVP_DigestUpdate(context.get(), block.data(), count) != 1)
            return std::nullopt;
    }
    Sha1Digest digest{};
    unsigned int digestLength = 0;
    if (EVP_DigestFinal_ex(context.get(), digest.data(), &digestLength) != 1 ||
        digestLength != digest.size())
        return std::nullopt;
    return digest;
}

static void appendU32le(std::vector<std::uint8_t> &out, std::size_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::vector<std::uint8_t> encodePayload(const CertificateFields &fields)
{
    std::vector<std::uint8_t> payload;
    payload.reserve(8 + fields.signature.size() + fields.keyBlob.size());
    appendU32le(payload, fields.signature.size());
    payload.insert(payload.end(), fields.signature.begin(), fields.signature.end());
    appendU32le(payload, fields.keyBlob.size());
    payload.insert(payload.end(), fields.keyBlob.begin(), fields.keyBlob.end());
    return payload;
}

static void setLowBit(std::int16_t &sample, unsigned bit)
{
    const auto raw = static_cast<std::uint16_t>(sample);
    sample = static_cast<std::int16_t>((raw & 0xFFFEu) | (bit & 1u));
}

bool embedPayload(std::span<std::int16_t> samples, std::span<const std::uint8_t> payload)
{
    if (samples.size_bytes() < soundBytesForPayload(payload.size()))
        return false;
    // The first stream byte of each pair stays as recorded; the second is chosen so that their XOR
    // is the payload byte, which changes at most eight samples by one step per payload byte.
    for (std::size_t m = 0; m < payload.size(); ++m) {
        const std::uint8_t kept = hiddenByte(soundBytes(samples), 2 * m);
        const auto wanted = static_cast<unsigned>(kept ^ payload[m]);
        for (unsigned bit = 0; bit < 8; ++bit)
            setLowBit(samples[16 * m + 8 + bit], wanted >> bit);
    }
    return true;
}

std::size_t certificatePayloadBytes(unsigned keyBits)
{
    return 8 + keyBits / 8 + PublicKeyBlobHeaderBytes + keyBits / 8;
}

bool certifySound(std::span<std::int16_t> samples, const RsaKey &key)
{
    const std::vector<std::uint8_t> keyBlob = key.publicKeyBlob();
    if (keyBlob.empty() ||
        samples.size_bytes() < soundBytesForPayload(certificatePayloadBytes(key.bits())))
        return false;
    const std::optional<Sha1Digest> digest = signedContentDigest(soundBytes(samples));
    if (!digest)
        return false;
    const std::optional<std::vector<std::uint8_t>> signature = key.signDigest(*digest);
    if (!signature)
        return false;
    return embedPayload(samples, encodePayload({*signature, keyBlob}));
}

} // namespace vorela
