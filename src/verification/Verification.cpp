// The greeting phrase check: payload limits, trusted key, signature over the sound.
#include "verification/Verification.h"

#include "platform/DataDirectory.h"
#include "verification/GreetingCertificate.h"
#include "verification/RsaKey.h"

#include <optional>
#include <vector>

namespace vorela {

Verification::Verification(const DataDirectory &dataDirectory)
    : trustedKeys(TrustedKeys::load(dataDirectory.trustedKeys()))
{
}

bool Verification::VerifySound(std::span<const std::uint8_t> data) const
{
    const std::vector<std::uint8_t> payload = extractPayload(data);
    const std::optional<CertificateFields> fields = parsePayload(payload);
    // The key travels with the sound, so it proves nothing unless it is one we already trust.
    if (!fields || !trustedKeys.contains(fields->keyBlob))
        return false;
    const std::optional<RsaKey> key = RsaKey::fromPublicKeyBlob(fields->keyBlob);
    if (!key)
        return false;
    const std::optional<Sha1Digest> digest = signedContentDigest(data);
    return digest && key->verifyDigest(*digest, fields->signature);
}

bool Verification::VerifySound(std::span<const std::int16_t> samples) const
{
    return VerifySound(soundBytes(samples));
}

} // namespace vorela
