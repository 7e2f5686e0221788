// Byte-by-byte reading and writing of RSA public key blobs.
#include "verification/PublicKeyBlob.h"

#include "platform/ByteReader.h"

namespace vorela {

static constexpr std::uint8_t PublicKeyBlobType = 0x06;
static constexpr std::uint8_t BlobVersion = 0x02;
static constexpr std::uint32_t KeyExchangeAlgorithm = 0xA400;
static constexpr std::uint32_t SignatureAlgorithm = 0x2400;
static constexpr std::uint32_t RsaPublicMagic = 0x31415352; // "RSA1"

static bool isAcceptedHeader(std::uint8_t type, std::uint8_t version, std::uint32_t algorithm,
                             std::uint32_t magic)
{
    return type == PublicKeyBlobType && version == BlobVersion &&
           (algorithm == KeyExchangeAlgorithm || algorithm == SignatureAlgorithm) &&
           magic == RsaPublicMagic;
}

std::optional<PublicKeyBlob> parsePublicKeyBlob(std::span<const std::uint8_t> blob)
{
    ByteReader reader(blob);
    std::uint8_t type = 0;
    std::uint8_t version = 0;
    std::uint16_t reserved = 0;
    std::uint32_t algorithm = 0;
    std::uint32_t magic = 0;
    PublicKeyBlob key;
    if (!reader.readU8(type) || !reader.readU8(version) || !reader.readU16le(reserved) ||
        !reader.readU32le(algorithm) || !reader.readU32le(magic) ||
        !reader.readU32le(key.bitLength) || !reader.readU32le(key.exponent))
        return std::nullopt;
    if (!isAcceptedHeader(type, version, algorithm, magic))
        return std::nullopt;
    if (key.bitLength < MinKeyBits || key.bitLength > MaxKeyBits || key.bitLength % 8 != 0)
        return std::nullopt;
    // An even or unit exponent is no RSA key; refusing it here keeps odd arithmetic out of the
    // check.
    if (key.exponent < 3 || key.exponent % 2 == 0)
        return std::nullopt;
    if (!reader.readBytes(key.bitLength / 8, key.modulus) || !reader.atEnd())
        return std::nullopt;
    // The stated key size must be the modulus's own (top bit set): a narrower modulus is a smaller
    // key than the size limits allow, and would not write back as the same blob.
    if ((key.modulus.back() & 0x80) == 0)
        return std::nullopt;
    return key;
}

static void appendU32le(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::vector<std::uint8_t> encodePublicKeyBlob(std::uint32_t bitLength, std::uint32_t exponent,
                                              std::span<const std::uint8_t> modulus)
{
    std::vector<std::uint8_t> blob{PublicKeyBlobType, BlobVersion, 0, 0};
    blob.reserve(PublicKeyBlobHeaderBytes + modulus.size());
    appendU32le(blob, SignatureAlgorithm);
    appendU32le(blob, RsaPublicMagic);
    appendU32le(blob, bitLength);
    appendU32le(blob, exponent);
    blob.insert(blob.end(), modulus.begin(), modulus.end());
    return blob;
}

} // namespace vorela
