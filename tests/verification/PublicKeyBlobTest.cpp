#include "verification/PublicKeyBlob.h"

#include "verification/CertificateFixtures.h"
#include "verification/GreetingCertificate.h"
#include "verification/RsaKey.h"
#include "verification/TrustedKeys.h"
#include "verification/Verification.h"

#include <openssl/core_names.h>

#include <gtest/gtest.h>

namespace vorela {

// A blob written field by field, the modulus least significant byte first.
static std::vector<std::uint8_t> handMadeBlob(std::uint32_t bits, std::uint32_t algorithm = 0x2400,
                                              std::uint32_t exponent = 65537)
{
    std::vector<std::uint8_t> blob = {0x06, 0x02, 0x00, 0x00};
    for (const std::uint32_t field : {algorithm, 0x31415352u, bits, exponent})
        for (int shift = 0; shift < 32; shift += 8)
            blob.push_back(static_cast<std::uint8_t>(field >> shift));
    for (std::uint32_t i = 0; i < bits / 8; ++i)
        blob.push_back(static_cast<std::uint8_t>(i * 7 + 1) | (i + 1 == bits / 8 ? 0x80 : 0));
    return blob;
}

TEST(PublicKeyBlob, KeySizeLimits)
{
    const struct {
        std::uint32_t bits;
        bool valid;
    } cases[] = {{376, false}, {384, true},   {392, true},    {388, false},
                 {2048, true}, {16384, true}, {16392, false}, {0, false}};
    for (const auto &entry : cases) {
        const std::vector<std::uint8_t> blob = handMadeBlob(entry.bits);
        const std::optional<PublicKeyBlob> parsed = parsePublicKeyBlob(blob);
        ASSERT_EQ(parsed.has_value(), entry.valid) << entry.bits;
        if (!parsed)
            continue;
        EXPECT_EQ(parsed->bitLength, entry.bits);
        EXPECT_EQ(parsed->exponent, 65537u);
        EXPECT_EQ(parsed->modulus.data(), blob.data() + 20);
        EXPECT_EQ(parsed->modulus.size(), entry.bits / 8);
        EXPECT_TRUE(RsaKey::fromPublicKeyBlob(blob).has_value()) << entry.bits;
    }
    EXPECT_TRUE(parsePublicKeyBlob(handMadeBlob(1024, 0xA400)));
}

TEST(PublicKeyBlob, DamagedBlobsAreRefused)
{
    const std::vector<std::uint8_t> valid = handMadeBlob(512);
    for (std::size_t length = 0; length < valid.size(); ++length)
        EXPECT_FALSE(parsePublicKeyBlob(std::span(valid).first(length))) << "cut at " << length;
    std::vector<std::uint8_t> longer = valid;
    longer.push_back(0);
    EXPECT_FALSE(parsePublicKeyBlob(longer));

    const struct {
        const char *name;
        std::size_t offset;
        std::uint8_t value;
    } damage[] = {{"type", 0, 0x07},
                  {"version", 1, 0x01},
                  {"algorithm", 5, 0x66},
                  {"magic RSA2", 11, '2'},
                  {"bit length", 13, 0x01},
                  {"bit length high", 15, 0x80},
                  {"even exponent", 16, 0x00},
                  {"exponent one", 18, 0x00},
                  {"modulus top byte", 83, 0x00},
                  {"modulus top bit", 83, 0x7F}};
    for (const auto &entry : damage) {
        std::vector<std::uint8_t> blob = valid;
        blob[entry.offset] = entry.value;
        if (entry.offset == 18)
            blob[16] = 1; // exponent 1
        EXPECT_FALSE(parsePublicKeyBlob(blob)) << entry.name;
        EXPECT_FALSE(RsaKey::fromPublicKeyBlob(blob)) << entry.name;
    }
}

TEST(PublicKeyBlob, GeneratedKeyBlobHasTheLayoutByteForByte)
{
    EvpPkeyPtr raw(EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", std::size_t{1024}));
    ASSERT_TRUE(raw);
    // The modulus as the library writes it, most significant byte first.
    BIGNUM *modulus = nullptr;
    ASSERT_EQ(EVP_PKEY_get_bn_param(raw.get(), OSSL_PKEY_PARAM_RSA_N, &modulus), 1);
    std::vector<std::uint8_t> bigEndian(128);
    ASSERT_EQ(BN_bn2bin(modulus, bigEndian.data()), 128);
    BN_free(modulus);

    const std::vector<std::uint8_t> blob = RsaKey(std::move(raw)).publicKeyBlob();
    ASSERT_EQ(blob.size(), 20u + 128u);
    const std::uint8_t header[20] = {0x06, 0x02, 0,    0,    0x00, 0x24, 0,    0,    'R',  'S',
                                     'A',  '1',  0x00, 0x04, 0,    0,    0x01, 0x00, 0x01, 0x00};
    EXPECT_TRUE(std::equal(header, header + 20, blob.begin()));
    EXPECT_TRUE(std::equal(bigEndian.rbegin(), bigEndian.rend(), blob.begin() + 20));
    const std::optional<RsaKey> imported = RsaKey::fromPublicKeyBlob(blob);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->publicKeyBlob(), blob);
}

TEST(PublicKeyBlob, LargestKeySizeSignsAndVerifies)
{
    const RsaKey key = test::composedKey(MaxKeyBits);
    ASSERT_EQ(key.bits(), MaxKeyBits);
    const std::vector<std::uint8_t> blob = key.publicKeyBlob();
    ASSERT_EQ(blob.size(), MaxPublicKeyBlobBytes);
    std::vector<std::int16_t> sound =
        test::noiseSound(soundBytesForPayload(certificatePayloadBytes(MaxKeyBits)) / 2);
    ASSERT_TRUE(certifySound(sound, key));
    EXPECT_TRUE(Verification(TrustedKeys({blob})).VerifySound(sound));
}

} // namespace vorela
