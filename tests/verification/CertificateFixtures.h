// Shared fixtures of the certificate tests: keys made once per run, recordings of noise,
// trusted-keys/.
#pragma once

#include "verification/RsaKey.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace vorela::test {

inline BignumPtr randomPrime(int bits, BN_CTX *context)
{
    BignumPtr prime(BN_new());
    if (!prime ||
        BN_generate_prime_ex2(prime.get(), bits, 0, nullptr, nullptr, nullptr, context) != 1)
        std::abort();
    return prime;
}

/// An RSA key of exactly bits bits, also outside the sizes the library generates (384, 16384): the
/// product of primes of at most 512 bits, with only n, e and d, which is all signing needs.
inline RsaKey composedKey(unsigned bits)
{
    const BnCtxPtr context(BN_CTX_new());
    const BignumPtr exponent(BN_new());
    BN_set_word(exponent.get(), 65537);
    const int wanted = static_cast<int>(bits);
    const int primeBits = std::min(512, wanted / 2);
    std::vector<BignumPtr> primes;
    const BignumPtr modulus(BN_new());
    BN_one(modulus.get());
    while (wanted - BN_num_bits(modulus.get()) > primeBits + 64) {
        primes.push_back(randomPrime(primeBits, context.get()));
        BN_mul(modulus.get(), modulus.get(), primes.back().get(), context.get());
    }
    // The last prime makes the size exact; its top bits decide whether the product gains a bit.
    const int left = wanted - BN_num_bits(modulus.get());
    for (int attempt = 0;; ++attempt) {
        BignumPtr last = randomPrime(left + attempt % 2, context.get());
        const BignumPtr product(BN_new());
        BN_mul(product.get(), modulus.get(), last.get(), context.get());
        if (BN_num_bits(product.get()) != wanted)
            continue;
        BN_copy(modulus.get(), product.get());
        primes.push_back(std::move(last));
        break;
    }
    const BignumPtr totient(BN_new());
    BN_one(totient.get());
    for (const BignumPtr &prime : primes) {
        const BignumPtr less(BN_dup(prime.get()));
        BN_sub_word(less.get(), 1);
        BN_mul(totient.get(), totient.get(), less.get(), context.get());
    }
    const BignumPtr privateExponent(
        BN_mod_inverse(nullptr, exponent.get(), totient.get(), context.get()));
    if (!privateExponent)
        return composedKey(bits); // 65537 divides a p - 1: rare, start again
    const ParamBuildPtr build(OSSL_PARAM_BLD_new());
    OSSL_PARAM_BLD_push_BN(build.get(), "n", modulus.get());
    OSSL_PARAM_BLD_push_BN(build.get(), "e", exponent.get());
    OSSL_PARAM_BLD_push_BN(build.get(), "d", privateExponent.get());
    const ParamPtr params(OSSL_PARAM_BLD_to_param(build.get()));
    const EvpPkeyCtxPtr keyContext(EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr));
    EVP_PKEY *key = nullptr;
    if (EVP_PKEY_fromdata_init(keyContext.get()) != 1 ||
        EVP_PKEY_fromdata(keyContext.get(), &key, EVP_PKEY_KEYPAIR, params.get()) != 1)
        std::abort();
    return RsaKey(EvpPkeyPtr(key));
}

/// A key of the given size, generated once per test run (key generation is the slow part).
inline const RsaKey &sharedKey(unsigned bits, int slot = 0)
{
    static std::map<std::pair<unsigned, int>, RsaKey> keys; // node-based: references stay valid
    const auto found = keys.find({bits, slot});
    if (found != keys.end())
        return found->second;
    std::optional<RsaKey> key =
        bits >= 512 && bits <= 4096 ? RsaKey::generate(bits) : composedKey(bits);
    if (!key)
        std::abort();
    return keys.emplace(std::pair(bits, slot), std::move(*key)).first->second;
}

/// A recording of noise with every sample value possible, the same for a given seed.
inline std::vector<std::int16_t> noiseSound(std::size_t samples, unsigned seed = 7)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::vector<std::int16_t> sound(samples);
    for (std::int16_t &sample : sound)
        sample = static_cast<std::int16_t>(value(generator));
    return sound;
}

inline void writeBytes(const std::filesystem::path &file, std::span<const std::uint8_t> bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary);
    stream.write(reinterpret_cast<const char *>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
}

} // namespace vorela::test
