// Blob ids computed as git computes them, with libcrypto's SHA-1 (faster than hashing twice).
#include "versions/LibraryFiles.h"

#include <openssl/evp.h>

#include <memory>

namespace vorela {

namespace {
struct DigestFree {
    void operator()(EVP_MD_CTX *context) const { EVP_MD_CTX_free(context); }
};
} // namespace

static std::optional<BlobId> digestOf(std::string_view header, std::string_view bytes)
{
    BlobId id{};
    const std::unique_ptr<EVP_MD_CTX, DigestFree> context(EVP_MD_CTX_new());
    unsigned length = 0;
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha1(), nullptr) != 1 ||
        EVP_DigestUpdate(context.get(), header.data(), header.size()) != 1 ||
        EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
        EVP_DigestFinal_ex(context.get(), id.data(), &length) != 1 || length != id.size())
        return std::nullopt;
    return id;
}

std::string blobHeader(std::size_t size)
{
    return "blob " + std::to_string(size) + std::string(1, '\0');
}

std::optional<BlobId> blobIdOf(std::string_view bytes)
{
    return digestOf(blobHeader(bytes.size()), bytes);
}

std::optional<BlobId> objectIdOf(std::span<const std::uint8_t> object)
{
    return digestOf({}, {reinterpret_cast<const char *>(object.data()), object.size()});
}

std::optional<LibraryFile> textFile(std::string text)
{
    const std::optional<BlobId> id = blobIdOf(text);
    if (!id)
        return std::nullopt;
    LibraryFile file;
    file.id = *id;
    file.text = std::move(text);
    return file;
}

} // namespace vorela
