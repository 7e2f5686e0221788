#include "verification/Verification.h"

#include "support/TempDataDir.h"
#include "verification/CertificateFixtures.h"
#include "verification/GreetingCertificate.h"
#include "verification/PublicKeyBlob.h"

#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace vorela {

using test::noiseSound;
using test::sharedKey;

// Two seconds of sound: room for a 2048-bit certificate (8640 samples) and samples after it.
static constexpr std::size_t SoundSamples = 16000;

class VerificationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sound = noiseSound(SoundSamples);
        ASSERT_TRUE(certifySound(sound, key()));
        trust(key());
    }

    static const RsaKey &key() { return sharedKey(2048); }
    void trust(const RsaKey &trusted, const std::string &name = "certifier.pub")
    {
        test::writeBytes(dataDir.path() / "trusted-keys" / name, trusted.publicKeyBlob());
    }
    [[nodiscard]] bool verifies(std::span<const std::int16_t> samples) const
    {
        return Verification(dataDir.dataDirectory()).VerifySound(samples);
    }

    test::TempDataDir dataDir;
    std::vector<std::int16_t> sound;
};

TEST_F(VerificationTest, SoundCertifiedByTrustedKeyVerifies)
{
    EXPECT_TRUE(verifies(sound));
    // The byte form of the same sound gives the same answer.
    EXPECT_TRUE(Verification(dataDir.dataDirectory()).VerifySound(soundBytes(sound)));
}

TEST_F(VerificationTest, CertifyingChangesSamplesByAtMostOneStep)
{
    const std::vector<std::int16_t> original = noiseSound(SoundSamples);
    for (std::size_t i = 0; i < sound.size(); ++i)
        ASSERT_LE(std::abs(sound[i] - original[i]), 1) << "sample " << i;
}

TEST_F(VerificationTest, KeyNotTrustedFails)
{
    std::filesystem::remove_all(dataDir.path() / "trusted-keys");
    trust(sharedKey(2048, /*slot=*/1));
    EXPECT_FALSE(verifies(sound));
    trust(key(), "second.pub"); // any one trusted file is enough
    EXPECT_TRUE(verifies(sound));
}

TEST_F(VerificationTest, NoTrustedKeysFails)
{
    std::filesystem::remove_all(dataDir.path() / "trusted-keys");
    EXPECT_FALSE(verifies(sound));
    std::filesystem::create_directories(dataDir.path() / "trusted-keys");
    EXPECT_FALSE(verifies(sound));
}

TEST_F(VerificationTest, TrustedFileMustEqualTheBlobExactly)
{
    std::vector<std::uint8_t> padded = key().publicKeyBlob();
    padded.push_back(0);
    std::filesystem::remove_all(dataDir.path() / "trusted-keys");
    test::writeBytes(dataDir.path() / "trusted-keys" / "padded.pub", padded);
    EXPECT_FALSE(verifies(sound));
}

TEST_F(VerificationTest, SoundSignedByAnotherKeyCarryingTrustedBlobFails)
{
    // A forger signs with an own key but embeds the trusted public blob.
    std::vector<std::int16_t> forged = noiseSound(SoundSamples);
    const std::optional<Sha1Digest> digest = signedContentDigest(soundBytes(forged));
    ASSERT_TRUE(digest);
    const std::optional<std::vector<std::uint8_t>> signature =
        sharedKey(2048, 1).signDigest(*digest);
    ASSERT_TRUE(signature);
    const std::vector<std::uint8_t> blob = key().publicKeyBlob();
    ASSERT_TRUE(embedPayload(forged, encodePayload({*signature, blob})));
    EXPECT_FALSE(verifies(forged));
}

TEST_F(VerificationTest, FlippingAnyNonCarrierBitFails)
{
    const std::size_t payloadSamples = soundBytesForPayload(certificatePayloadBytes(2048)) / 2;
    const struct {
        std::size_t sample;
        int bit; // bit of the 16-bit sample: bits 1..7 low byte, 8..15 high byte
    } flips[] = {{0, 1},
                 {0, 8},
                 {1, 15},
                 {payloadSamples - 1, 3},
                 {payloadSamples, 9},
                 {SoundSamples / 2, 7},
                 {SoundSamples - 1, 1},
                 {SoundSamples - 1, 14}};
    for (const auto &flip : flips) {
        std::vector<std::int16_t> damaged = sound;
        damaged[flip.sample] = static_cast<std::int16_t>(damaged[flip.sample] ^ (1 << flip.bit));
        EXPECT_FALSE(verifies(damaged)) << "sample " << flip.sample << " bit " << flip.bit;
    }
}

TEST_F(VerificationTest, CarrierBitsFailInsidePayloadOnly)
{
    const std::size_t payloadSamples = soundBytesForPayload(certificatePayloadBytes(2048)) / 2;
    // First length, signature, second length (payload byte 260: samples 4160..4175), key blob.
    const std::size_t inside[] = {0, 15, 100, 4165, 4175, 5000, payloadSamples - 1};
    for (const std::size_t sample : inside) {
        std::vector<std::int16_t> damaged = sound;
        damaged[sample] = static_cast<std::int16_t>(damaged[sample] ^ 1);
        EXPECT_FALSE(verifies(damaged)) << "sample " << sample;
    }
    std::vector<std::int16_t> tail = sound;
    for (std::size_t sample = payloadSamples; sample < tail.size(); sample += 3)
        tail[sample] = static_cast<std::int16_t>(tail[sample] ^ 1);
    EXPECT_TRUE(verifies(tail));
}

TEST_F(VerificationTest, CertificateFittingExactlyVerifiesOneSampleLessIsRefused)
{
    const std::size_t exact = soundBytesForPayload(certificatePayloadBytes(2048)) / 2;
    std::vector<std::int16_t> fitting = noiseSound(exact, 3);
    ASSERT_TRUE(certifySound(fitting, key()));
    EXPECT_TRUE(verifies(fitting));
    EXPECT_FALSE(verifies(std::span(fitting).first(exact - 1)));

    std::vector<std::int16_t> tooShort = noiseSound(exact - 1, 3);
    const std::vector<std::int16_t> before = tooShort;
    EXPECT_FALSE(certifySound(tooShort, key()));
    EXPECT_EQ(tooShort, before);
}

TEST_F(VerificationTest, UnsignedRecordingsFail)
{
    EXPECT_FALSE(verifies(noiseSound(SoundSamples, 11)));
    EXPECT_FALSE(verifies(std::vector<std::int16_t>(SoundSamples, 0)));
    EXPECT_FALSE(verifies(std::vector<std::int16_t>(SoundSamples, -1)));
    EXPECT_FALSE(verifies(std::span<const std::int16_t>()));
}

// Raw PKCS#1 v1.5 signature of the bare digest (no DigestInfo), least significant byte first.
static std::vector<std::uint8_t> signWithoutDigestInfo(EVP_PKEY *key, const Sha1Digest &digest)
{
    EVP_PKEY_CTX *context = EVP_PKEY_CTX_new(key, nullptr);
    std::size_t size = 0;
    std::vector<std::uint8_t> signature;
    if (context && EVP_PKEY_sign_init(context) == 1 &&
        EVP_PKEY_CTX_set_rsa_padding(context, RSA_PKCS1_PADDING) == 1 &&
        EVP_PKEY_sign(context, nullptr, &size, digest.data(), digest.size()) == 1) {
        signature.resize(size);
        if (EVP_PKEY_sign(context, signature.data(), &size, digest.data(), digest.size()) != 1)
            signature.clear();
    }
    EVP_PKEY_CTX_free(context);
    std::reverse(signature.begin(), signature.end());
    return signature;
}

TEST_F(VerificationTest, SignatureFormsAndByteOrder)
{
    EvpPkeyPtr raw(EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", std::size_t{1024}));
    ASSERT_TRUE(raw);
    EVP_PKEY *const rawKey = raw.get();
    const RsaKey signer(std::move(raw));
    trust(signer, "raw.pub");
    const std::vector<std::uint8_t> blob = signer.publicKeyBlob();

    std::vector<std::int16_t> plain = noiseSound(SoundSamples, 5);
    const std::optional<Sha1Digest> digest = signedContentDigest(soundBytes(plain));
    ASSERT_TRUE(digest);
    const std::vector<std::uint8_t> bare = signWithoutDigestInfo(rawKey, *digest);
    ASSERT_EQ(bare.size(), 128u);
    const std::optional<std::vector<std::uint8_t>> withInfo = signer.signDigest(*digest);
    ASSERT_TRUE(withInfo);
    const std::vector<std::uint8_t> bigEndian(withInfo->rbegin(), withInfo->rend());

    const struct {
        const char *name;
        std::vector<std::uint8_t> signature;
        bool valid;
    } cases[] = {{"with DigestInfo", *withInfo, true},
                 {"without DigestInfo", bare, true},
                 {"most significant byte first", bigEndian, false},
                 {"one byte short", std::vector(withInfo->begin() + 1, withInfo->end()), false}};
    for (const auto &entry : cases) {
        std::vector<std::int16_t> signedSound = plain;
        ASSERT_TRUE(embedPayload(signedSound, encodePayload({entry.signature, blob})));
        EXPECT_EQ(verifies(signedSound), entry.valid) << entry.name;
    }
}

TEST_F(VerificationTest, SmallestKeySizeSignsAndVerifies)
{
    const RsaKey &smallest = sharedKey(MinKeyBits);
    std::vector<std::int16_t> signedSound = noiseSound(SoundSamples, 9);
    ASSERT_TRUE(certifySound(signedSound, smallest));
    EXPECT_FALSE(verifies(signedSound));
    trust(smallest, "small.pub");
    EXPECT_TRUE(verifies(signedSound));
}

} // namespace vorela
