// The files one version of the library consists of, in memory: texts whole, sounds as where their
// bytes lie (in a bank of the data directory, or in the history).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorela {

/// A git object id (SHA-1).
using BlobId = std::array<std::uint8_t, 20>;

/// Where the bytes of a file lie: in text, in one of the data directory's banks, or in history.
enum class FileSource { Text, ProductBank, CurrencyBank, History };

struct LibraryFile {
    BlobId id{};
    FileSource source = FileSource::Text;
    std::string text;         // Text: the whole file
    std::uint64_t offset = 0; // a bank: where the sound's data starts
    std::uint32_t size = 0;   // a bank: the sound's bytes
};

/// Every file of a version by its path in the version ("bank/sounds/00/0001").
using LibraryFiles = std::map<std::string, LibraryFile, std::less<>>;

/// Folders of a version: the registry texts, the product bank and the currency bank.
inline constexpr std::string_view RegistryFolder = "registry/";
inline constexpr std::string_view ProductBankFolder = "bank/";
inline constexpr std::string_view CurrencyBankFolder = "currency/";
/// In a bank's folder: the order of its chunks, and one file per sound.
inline constexpr std::string_view BankIndexName = "index";
inline constexpr std::string_view SoundsFolder = "sounds/";

/// The id git gives a blob of these bytes; empty when libcrypto fails (out of memory).
[[nodiscard]] std::optional<BlobId> blobIdOf(std::string_view bytes);
/// The id of an object given whole, its git header included.
[[nodiscard]] std::optional<BlobId> objectIdOf(std::span<const std::uint8_t> object);
/// The git header of a blob of size bytes ("blob SIZE" and a zero byte).
[[nodiscard]] std::string blobHeader(std::size_t size);

/// A text file of a version, its id computed; empty when that failed.
[[nodiscard]] std::optional<LibraryFile> textFile(std::string text);

} // namespace vorela
