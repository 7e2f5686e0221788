#include "verification/GreetingCertificate.h"

#include "verification/CertificateFixtures.h"

#include <openssl/evp.h>

#include <gtest/gtest.h>

#include <limits>

namespace vorela {

// Sets the hidden stream byte k by hand: bit b is bit 0 of sample 8k + b.
static void setStreamByte(std::vector<std::int16_t> &samples, std::size_t k, std::uint8_t value)
{
    for (std::size_t b = 0; b < 8; ++b) {
        std::int16_t &sample = samples[8 * k + b];
        sample = static_cast<std::int16_t>((sample & ~1) | ((value >> b) & 1));
    }
}

TEST(GreetingCertificate, PayloadIsXorOfStreamBytePairs)
{
    std::vector<std::int16_t> samples = test::noiseSound(64 + 7); // 142 bytes: 4 payload bytes
    const std::uint8_t stream[8] = {0xA5, 0x0F, 0x00, 0xFF, 0x81, 0x81, 0x12, 0x34};
    for (std::size_t k = 0; k < 8; ++k)
        setStreamByte(samples, k, stream[k]);
    const std::vector<std::uint8_t> payload = extractPayload(soundBytes(samples));
    EXPECT_EQ(payload, (std::vector<std::uint8_t>{0xAA, 0xFF, 0x00, 0x26}));
}

TEST(GreetingCertificate, EmbeddedPayloadReadsBackAndFitsExactly)
{
    const std::vector<std::uint8_t> payload = {1, 2, 3, 0xFE, 0x80, 0x7F};
    std::vector<std::int16_t> samples = test::noiseSound(soundBytesForPayload(payload.size()) / 2);
    ASSERT_TRUE(embedPayload(samples, payload));
    EXPECT_EQ(extractPayload(soundBytes(samples)), payload);

    std::vector<std::int16_t> shorter(samples.begin(), samples.end() - 1);
    const std::vector<std::int16_t> before = shorter;
    EXPECT_FALSE(embedPayload(shorter, payload));
    EXPECT_EQ(shorter, before);
}

static std::vector<std::uint8_t> le32(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

static std::vector<std::uint8_t> concat(std::initializer_list<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> all;
    for (const std::vector<std::uint8_t> &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(GreetingCertificate, PayloadLengthLimits)
{
    const std::vector<std::uint8_t> sig = {0x51, 0x52, 0x53};
    const std::vector<std::uint8_t> key = {0x4B, 0x4C};
    const std::vector<std::uint8_t> exact = concat({le32(3), sig, le32(2), key});
    const struct {
        const char *name;
        std::vector<std::uint8_t> payload;
        bool valid;
    } cases[] = {
        {"exact fit", exact, true},
        {"room to spare", concat({exact, {0, 0, 0}}), true},
        {"key one byte short", std::vector(exact.begin(), exact.end() - 1), false},
        {"second length cut", std::vector(exact.begin(), exact.begin() + 9), false},
        {"only the signature", std::vector(exact.begin(), exact.begin() + 7), false},
        {"signature runs past the end", concat({le32(4), sig}), false},
        {"zero signature length", concat({le32(0), le32(2), key}), false},
        {"zero key length", concat({le32(3), sig, le32(0), key}), false},
        {"huge signature length", concat({le32(0xFFFFFFFF), sig, le32(2), key}), false},
        {"huge key length", concat({le32(3), sig, le32(0xFFFFFFFC), key}), false},
        {"three bytes", {3, 0, 0}, false},
        {"empty", {}, false},
    };
    for (const auto &entry : cases) {
        const std::optional<CertificateFields> fields = parsePayload(entry.payload);
        ASSERT_EQ(fields.has_value(), entry.valid) << entry.name;
        if (!fields)
            continue;
        EXPECT_TRUE(std::ranges::equal(fields->signature, sig)) << entry.name;
        EXPECT_TRUE(std::ranges::equal(fields->keyBlob, key)) << entry.name;
    }
}

static Sha1Digest sha1(std::span<const std::uint8_t> bytes)
{
    Sha1Digest digest{};
    EVP_Digest(bytes.data(), bytes.size(), digest.data(), nullptr, EVP_sha1(), nullptr);
    return digest;
}

TEST(GreetingCertificate, SignedContentIgnoresOnlyCarrierBits)
{
    // Odd length: the last byte is a low byte too and loses its bit 0.
    const std::vector<std::uint8_t> sound = {0x01, 0x01, 0xFF, 0xFE, 0x10, 0x11, 0x03};
    const std::vector<std::uint8_t> cleared = {0x00, 0x01, 0xFE, 0xFE, 0x10, 0x11, 0x02};
    EXPECT_EQ(signedContentDigest(sound), sha1(cleared));

    // Longer than one hashing block, with every carrier bit changed.
    std::vector<std::int16_t> samples = test::noiseSound(5000);
    const std::optional<Sha1Digest> original = signedContentDigest(soundBytes(samples));
    for (std::int16_t &sample : samples)
        sample = static_cast<std::int16_t>(sample ^ 1);
    EXPECT_EQ(signedContentDigest(soundBytes(samples)), original);
    samples[4999] = static_cast<std::int16_t>(samples[4999] ^ 0x100);
    EXPECT_NE(signedContentDigest(soundBytes(samples)), original);
}

} // namespace vorela
