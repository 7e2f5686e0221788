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

std::optional<BlobId> blobIdOf(std::string_view bytes)
{
    const std::string header = "blob " + std::to_string(bytes.size()) + std::string(1, '\0');
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
