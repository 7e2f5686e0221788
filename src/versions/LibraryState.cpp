// Reading the data directory's library for a version.
#include "versions/LibraryState.h"

#include "versions/RegistryVersion.h"

namespace vorela {

// Opens and lists a bank when it exists; a bank that exists but cannot be opened is a failure.
static bool readBank(const std::filesystem::path &bank, FileSource source, std::string_view folder,
                     BinaryFile &file, LibraryFiles &files, std::string &error)
{
    std::error_code status;
    const bool exists = std::filesystem::exists(bank, status);
    if (status) {
        error = bank.string() + ": " + status.message();
        return false;
    }
    if (!exists)
        return true;
    if (!file.open(bank, BinaryFile::Access::Read)) {
        error = bank.string() + ": cannot be opened for reading";
        return false;
    }
    return readBankFiles(file, bank, source, folder, files, error);
}

bool readLibraryState(const DataDirectory &dataDirectory, RegistryStore &store, LibraryState &state,
                      std::string &error)
{
    state.files.clear();
    return readRegistryFiles(store, state.files, error) &&
           readBank(dataDirectory.productBank(), FileSource::ProductBank, ProductBankFolder,
                    state.productBank, state.files, error) &&
           readBank(dataDirectory.currencyBank(), FileSource::CurrencyBank, CurrencyBankFolder,
                    state.currencyBank, state.files, error);
}

} // namespace vorela
