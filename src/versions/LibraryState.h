// The library as the data directory holds it now, as the files of a version: the registry
// branches read in one snapshot and both banks kept open, so the sounds can be stored from them.
#pragma once

#include "platform/BinaryFile.h"
#include "platform/DataDirectory.h"
#include "versions/BankVersion.h"
#include "versions/LibraryFiles.h"

#include <string>

namespace vorela {

class RegistryStore;

struct LibraryState {
    LibraryFiles files;
    BinaryFile productBank; // closed when there is none
    BinaryFile currencyBank;

    [[nodiscard]] SoundSources sources() const { return {&productBank, &currencyBank, {}}; }
};

/// Reads the library of dataDirectory into state; false with the reason when any part could not
/// be read (a missing bank is no failure: the version has none).
[[nodiscard]] bool readLibraryState(const DataDirectory &dataDirectory, RegistryStore &store,
                                    LibraryState &state, std::string &error);

} // namespace vorela
