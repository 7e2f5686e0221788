// Fuzzes the public key blob: parsing, import into the library, and a signature check with it.
#include "verification/PublicKeyBlob.h"
#include "verification/RsaKey.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vorela;
    const std::span<const std::uint8_t> blob(data, size);
    const std::optional<PublicKeyBlob> parsed = parsePublicKeyBlob(blob);
    const std::optional<RsaKey> key = RsaKey::fromPublicKeyBlob(blob);
    if (parsed.has_value() != key.has_value())
        __builtin_trap(); // every blob the parser accepts must import
    if (!key)
        return 0;
    // A key read from a blob writes the same key back.
    const std::vector<std::uint8_t> written = key->publicKeyBlob();
    const std::optional<PublicKeyBlob> again = parsePublicKeyBlob(written);
    if (!again || again->bitLength != parsed->bitLength || again->exponent != parsed->exponent ||
        !std::equal(again->modulus.begin(), again->modulus.end(), parsed->modulus.begin(),
                    parsed->modulus.end()))
        __builtin_trap();
    // Any key the parser lets through goes into a real signature check.
    const std::vector<std::uint8_t> signature(parsed->bitLength / 8, 0x01);
    (void)key->verifyDigest(Sha1Digest{}, signature);
    return 0;
}
