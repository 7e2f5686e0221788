#include "support/CertifiedGreeting.h"

#include "verification/GreetingCertificate.h"
#include "verification/RsaKey.h"

#include <fstream>
#include <optional>

namespace vorela::test {

std::vector<std::int16_t> certifiedGreeting(const DataDirectory &dataDirectory, std::size_t count)
{
    const std::optional<RsaKey> key = RsaKey::generate(512);
    if (!key)
        return {};
    std::vector<std::int16_t> samples(count);
    for (std::size_t index = 0; index < count; ++index)
        samples[index] = static_cast<std::int16_t>((index % 40) * 400 - 8000);
    if (!certifySound(samples, *key))
        return {};
    std::filesystem::create_directories(dataDirectory.trustedKeys());
    const std::vector<std::uint8_t> blob = key->publicKeyBlob();
    std::ofstream(dataDirectory.trustedKeys() / "test.key", std::ios::binary)
        .write(reinterpret_cast<const char *>(blob.data()),
               static_cast<std::streamsize>(blob.size()));
    return samples;
}

} // namespace vorela::test
