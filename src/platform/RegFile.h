// Import and export of Windows .reg text files into and out of the registry store.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vorela {

class RegistryStore;

/// Done, or why not (naming the file and line).
struct RegFileResult {
    bool ok = false;
    std::string reason;
};

/// Imports a .reg file: "REGEDIT4" in Windows-1251, "Windows Registry Editor Version 5.00" in
/// UTF-16LE with BOM, or either header in UTF-8. Keys, [-KEY] deletions, string, dword: and hex:
/// (binary) values and "name"=- deletions, all in one transaction: a bad line imports nothing.
[[nodiscard]] RegFileResult importRegFile(RegistryStore &store, const std::filesystem::path &file);
/// The same for the file's bytes; sourceName only labels the messages.
[[nodiscard]] RegFileResult importRegBytes(RegistryStore &store,
                                           std::span<const std::uint8_t> bytes,
                                           std::string_view sourceName);

/// The key (full path from "HKEY_LOCAL_MACHINE") and everything below it as version 5.00 text,
/// in UTF-8; empty when the key does not exist or a read failed.
[[nodiscard]] std::string exportRegText(RegistryStore &store, std::string_view keyPath);
/// Writes exportRegText as UTF-16LE with BOM, whole or not at all; importing the file reproduces
/// the key exactly.
[[nodiscard]] RegFileResult exportRegFile(RegistryStore &store, std::string_view keyPath,
                                          const std::filesystem::path &file);
/// exportRegText encoded as the file holds it (UTF-16LE with BOM).
[[nodiscard]] std::string encodeRegFile(std::string_view utf8Text);

} // namespace vorela
