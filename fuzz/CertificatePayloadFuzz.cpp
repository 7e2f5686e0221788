// Fuzzes the certificate payload: the input is a payload, hidden in a silent sound and checked with
// its own key blob trusted, so every step of the check behind the trust test is reached.
#include "verification/GreetingCertificate.h"
#include "verification/TrustedKeys.h"
#include "verification/Verification.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vorela;
    const std::span<const std::uint8_t> payload(data, size);
    std::vector<std::int16_t> sound(soundBytesForPayload(size) / 2 + size % 7);
    // The sound is long enough by construction, and the payload must read back unchanged.
    if (!embedPayload(sound, payload) ||
        extractPayload(soundBytes(sound)) != std::vector(payload.begin(), payload.end()))
        __builtin_trap();
    const std::optional<CertificateFields> fields = parsePayload(payload);
    TrustedKeys trusted;
    if (fields)
        trusted = TrustedKeys({std::vector(fields->keyBlob.begin(), fields->keyBlob.end())});
    (void)Verification(std::move(trusted)).VerifySound(std::span<const std::int16_t>(sound));
    return 0;
}
