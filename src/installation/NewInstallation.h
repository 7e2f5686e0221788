// A new, empty data directory: the product bank with its header and no chunks, the trusted-keys
// folder, and the standard lexeme tree in the registry store.
#pragma once

#include <filesystem>
#include <string>

namespace vorela {

class DataDirectory;
class RegistryStore;

/// Writes a bank holding only its header (RIFF, "WAVE", the bank's "fmt "), through a temporary
/// file renamed over it. False when it cannot be written; an existing file is never replaced.
[[nodiscard]] bool createEmptyBank(const std::filesystem::path &bank,
                                   const std::filesystem::path &temporary, std::string &error);

/// Writes the language setting and the standard lexeme tree into a new registry store; false
/// with the reason in error.
[[nodiscard]] bool fillNewRegistry(RegistryStore &store, std::string &error);

/// Sets up dataDirectory (creating the folder) for a new installation. Refuses a directory that
/// already holds a bank or a registry store; false with the reason in error.
[[nodiscard]] bool initDataDirectory(const DataDirectory &dataDirectory, std::string &error);

} // namespace vorela
