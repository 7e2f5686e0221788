// Creating the files of a new data directory.
#include "installation/NewInstallation.h"

#include "installation/StandardLexemeTree.h"
#include "platform/AtomicFileReplace.h"
#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "soundbank/RiffChunks.h"
#include "soundbank/WaveFormat.h"
#include "stores/LexItem.h"

#include <array>
#include <system_error>
#include <vector>

namespace vorela {

bool createEmptyBank(const std::filesystem::path &bank, const std::filesystem::path &temporary,
                     std::string &error)
{
    std::error_code code;
    if (std::filesystem::exists(bank, code)) {
        error = bank.string() + ": already exists";
        return false;
    }
    const std::array<std::uint8_t, 16> format = WaveFormat::bankRecord();
    std::vector<std::uint8_t> header = {'R', 'I', 'F', 'F'};
    const std::array<std::uint8_t, 4> riffSize =
        littleEndian32(4 + ChunkHeaderBytes + format.size());
    header.insert(header.end(), riffSize.begin(), riffSize.end());
    header.insert(header.end(), {'W', 'A', 'V', 'E'});
    const std::array<std::uint8_t, ChunkHeaderBytes> formatHeader =
        encodeChunkHeader(ChunkId::fromText("fmt "), static_cast<std::uint32_t>(format.size()));
    header.insert(header.end(), formatHeader.begin(), formatHeader.end());
    header.insert(header.end(), format.begin(), format.end());
    AtomicFileReplace replace(bank, temporary);
    if (!replace.create() || !replace.append(header) || !replace.commit()) {
        error = bank.string() + ": cannot write the bank";
        return false;
    }
    return true;
}

bool fillNewRegistry(RegistryStore &store, std::string &error)
{
    // The setting exists from the start, as the editor would create it.
    if (!storeDefaultLanguage(store)) {
        error = store.file().string() + ": cannot write the language setting";
        return false;
    }
    LexItem root(store);
    return buildStandardLexemeTree(root, error);
}

bool initDataDirectory(const DataDirectory &dataDirectory, std::string &error)
{
    std::error_code code;
    std::filesystem::create_directories(dataDirectory.root(), code);
    if (code) {
        error =
            dataDirectory.root().string() + ": cannot create the folder (" + code.message() + ")";
        return false;
    }
    if (std::filesystem::exists(dataDirectory.registry(), code)) {
        error = dataDirectory.registry().string() + ": already exists; the directory is set up";
        return false;
    }
    if (!createEmptyBank(dataDirectory.productBank(), dataDirectory.temporaryBank(), error))
        return false;
    std::filesystem::create_directories(dataDirectory.trustedKeys(), code);
    if (code) {
        error = dataDirectory.trustedKeys().string() + ": cannot create (" + code.message() + ")";
        return false;
    }
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dataDirectory.registry(), error);
    if (!store)
        return false;
    return fillNewRegistry(*store, error);
}

} // namespace vorela
