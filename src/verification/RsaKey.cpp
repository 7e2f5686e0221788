// RSA keys over OpenSSL's EVP interfaces, with blobs and signatures in little-endian byte order.
#include "verification/RsaKey.h"

#include "verification/PublicKeyBlob.h"

#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace vorela {

// DER prefix of a SHA-1 DigestInfo, which precedes the digest inside a PKCS#1 v1.5 signature.
static constexpr std::array<std::uint8_t, 15> Sha1DigestInfoPrefix = {
    0x30, 0x21, 0x30, 0x09, 0x06, 0x05, 0x2b, 0x0e, 0x03, 0x02, 0x1a, 0x05, 0x00, 0x04, 0x14};

std::optional<RsaKey> RsaKey::generate(unsigned bits)
{
    EvpPkeyPtr generated(
        EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", static_cast<std::size_t>(bits)));
    if (!generated)
        return std::nullopt;
    return RsaKey(std::move(generated));
}

static BignumPtr bignumFromLittleEndian(std::span<const std::uint8_t> bytes)
{
    return BignumPtr(BN_lebin2bn(bytes.data(), static_cast<int>(bytes.size()), nullptr));
}

std::optional<RsaKey> RsaKey::fromPublicKeyBlob(std::span<const std::uint8_t> blob)
{
    const std::optional<PublicKeyBlob> parsed = parsePublicKeyBlob(blob);
    if (!parsed)
        return std::nullopt;
    const BignumPtr modulus = bignumFromLittleEndian(parsed->modulus);
    const BignumPtr exponent(BN_new());
    const ParamBuildPtr build(OSSL_PARAM_BLD_new());
    if (!modulus || !exponent || !build || BN_set_word(exponent.get(), parsed->exponent) != 1 ||
        OSSL_PARAM_BLD_push_BN(build.get(), OSSL_PKEY_PARAM_RSA_N, modulus.get()) != 1 ||
        OSSL_PARAM_BLD_push_BN(build.get(), OSSL_PKEY_PARAM_RSA_E, exponent.get()) != 1)
        return std::nullopt;
    const ParamPtr params(OSSL_PARAM_BLD_to_param(build.get()));
    const EvpPkeyCtxPtr context(EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr));
    if (!params || !context || EVP_PKEY_fromdata_init(context.get()) != 1)
        return std::nullopt;
    EVP_PKEY *imported = nullptr;
    if (EVP_PKEY_fromdata(context.get(), &imported, EVP_PKEY_PUBLIC_KEY, params.get()) != 1)
        return std::nullopt;
    return RsaKey(EvpPkeyPtr(imported));
}

std::optional<RsaKey> RsaKey::loadPrivateKey(const std::filesystem::path &pemFile)
{
    const BioPtr file(BIO_new_file(pemFile.c_str(), "rb"));
    if (!file)
        return std::nullopt;
    EvpPkeyPtr loaded(PEM_read_bio_PrivateKey(file.get(), nullptr, nullptr, nullptr));
    if (!loaded || EVP_PKEY_is_a(loaded.get(), "RSA") != 1)
        return std::nullopt;
    const int keyBits = EVP_PKEY_get_bits(loaded.get());
    if (keyBits < static_cast<int>(MinKeyBits) || keyBits > static_cast<int>(MaxKeyBits))
        return std::nullopt;
    return RsaKey(std::move(loaded));
}

// Closes the descriptor, and removes the half-written file unless the write was finished.
namespace {
class NewFile {
public:
    explicit NewFile(const std::filesystem::path &filePath)
        : path(filePath),
          descriptor(::open(filePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600))
    {
    }
    ~NewFile()
    {
        if (descriptor < 0)
            return;
        ::close(descriptor);
        if (!finished)
            ::unlink(path.c_str());
    }
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    [[nodiscard]] bool isOpen() const { return descriptor >= 0; }
    [[nodiscard]] bool writeAll(const char *bytes, std::size_t count)
    {
        while (count > 0) {
            const ssize_t written = ::write(descriptor, bytes, count);
            if (written <= 0)
                return false;
            bytes += written;
            count -= static_cast<std::size_t>(written);
        }
        finished = ::fsync(descriptor) == 0;
        return finished;
    }

private:
    std::filesystem::path path;
    int descriptor;
    bool finished = false;
};
} // namespace

bool RsaKey::savePrivateKey(const std::filesystem::path &pemFile) const
{
    const BioPtr memory(BIO_new(BIO_s_mem()));
    if (!memory || PEM_write_bio_PrivateKey(memory.get(), key.get(), nullptr, nullptr, 0, nullptr,
                                            nullptr) != 1)
        return false;
    char *pem = nullptr;
    const long pemSize = BIO_get_mem_data(memory.get(), &pem);
    if (pemSize <= 0)
        return false;
    NewFile file(pemFile);
    return file.isOpen() && file.writeAll(pem, static_cast<std::size_t>(pemSize));
}

static BignumPtr bignumParam(const EVP_PKEY *key, const char *name)
{
    BIGNUM *raw = nullptr;
    if (EVP_PKEY_get_bn_param(key, name, &raw) != 1)
        return nullptr;
    return BignumPtr(raw);
}

std::vector<std::uint8_t> RsaKey::publicKeyBlob() const
{
    const unsigned keyBits = bits();
    const BignumPtr modulus = bignumParam(key.get(), OSSL_PKEY_PARAM_RSA_N);
    const BignumPtr exponent = bignumParam(key.get(), OSSL_PKEY_PARAM_RSA_E);
    if (keyBits % 8 != 0 || !modulus || !exponent || BN_num_bits(exponent.get()) > 32)
        return {};
    const int width = static_cast<int>(keyBits / 8);
    std::vector<std::uint8_t> modulusBytes(keyBits / 8);
    if (BN_bn2lebinpad(modulus.get(), modulusBytes.data(), width) != width)
        return {};
    const auto exponentValue = static_cast<std::uint32_t>(BN_get_word(exponent.get()));
    std::vector<std::uint8_t> blob = encodePublicKeyBlob(keyBits, exponentValue, modulusBytes);
    // Only what the verifier accepts is handed out, so a signer never certifies with an unusable
    // key.
    if (!parsePublicKeyBlob(blob))
        return {};
    return blob;
}

std::optional<std::vector<std::uint8_t>> RsaKey::signDigest(const Sha1Digest &digest) const
{
    const EvpPkeyCtxPtr context(EVP_PKEY_CTX_new(key.get(), nullptr));
    if (!context || EVP_PKEY_sign_init(context.get()) != 1 ||
        EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_PADDING) != 1 ||
        EVP_PKEY_CTX_set_signature_md(context.get(), EVP_sha1()) != 1)
        return std::nullopt;
    std::size_t size = 0;
    if (EVP_PKEY_sign(context.get(), nullptr, &size, digest.data(), digest.size()) != 1)
        return std::nullopt;
    std::vector<std::uint8_t> signature(size);
    if (EVP_PKEY_sign(context.get(), signature.data(), &size, digest.data(), digest.size()) != 1)
        return std::nullopt;
    signature.resize(size);
    std::reverse(signature.begin(), signature.end());
    return signature;
}

static bool matchesDigest(std::span<const std::uint8_t> recovered, const Sha1Digest &digest)
{
    const bool bare = recovered.size() == digest.size();
    const bool withInfo =
        recovered.size() == Sha1DigestInfoPrefix.size() + digest.size() &&
        std::equal(Sha1DigestInfoPrefix.begin(), Sha1DigestInfoPrefix.end(), recovered.begin());
    if (!bare && !withInfo)
        return false;
    const std::span<const std::uint8_t> tail = recovered.last(digest.size());
    return CRYPTO_memcmp(tail.data(), digest.data(), digest.size()) == 0;
}

bool RsaKey::verifyDigest(const Sha1Digest &digest, std::span<const std::uint8_t> signature) const
{
    if (signature.empty() ||
        signature.size() != static_cast<std::size_t>(EVP_PKEY_get_size(key.get())))
        return false;
    const std::vector<std::uint8_t> bigEndian(signature.rbegin(), signature.rend());
    const EvpPkeyCtxPtr context(EVP_PKEY_CTX_new(key.get(), nullptr));
    if (!context || EVP_PKEY_verify_recover_init(context.get()) != 1 ||
        EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_PADDING) != 1)
        return false;
    std::size_t size = 0;
    if (EVP_PKEY_verify_recover(context.get(), nullptr, &size, bigEndian.data(),
                                bigEndian.size()) != 1)
        return false;
    std::vector<std::uint8_t> recovered(size);
    if (EVP_PKEY_verify_recover(context.get(), recovered.data(), &size, bigEndian.data(),
                                bigEndian.size()) != 1)
        return false;
    recovered.resize(size);
    return matchesDigest(recovered, digest);
}

unsigned RsaKey::bits() const
{
    const int keyBits = EVP_PKEY_get_bits(key.get());
    return keyBits > 0 ? static_cast<unsigned>(keyBits) : 0;
}

} // namespace vorela
