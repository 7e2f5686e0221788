// The registry part of a version as text: keys with their values, one line each, in a stable
// order, so that a diff of two versions reads as the change that was made.
#pragma once

#include "platform/RegistryValue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// One key: its path below the product key (components joined by '\', as stored) and its values.
struct TextKey {
    std::string path;
    std::vector<RegistryValue> values;
};

/// Keys as text, in the order given (parents before children):
///   [Tasks\T1\Операторы]               bytes below 0x20, 0x7F and '%' as %XX
///   "Path"=sz:"3\\4\\"                  C escapes in quotes
///   "size"=dword:1234                   decimal
///   "blob"=hex:0a0b                     two lower-case digits a byte
[[nodiscard]] std::string writeRegistryText(std::span<const TextKey> keys);

/// Reads what writeRegistryText wrote; false with the reason (naming fileName and the line).
[[nodiscard]] bool readRegistryText(std::string_view text, std::string_view fileName,
                                    std::vector<TextKey> &keys, std::string &error);

/// Two lower-case hex digits a byte.
[[nodiscard]] std::string hexText(std::span<const std::uint8_t> bytes);
/// The bytes of hexText; empty when digits is no such text.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> bytesOfHex(std::string_view digits);

/// name with '/', '%', '\' and every byte outside printable ASCII letters and digits as %XX,
/// reversibly: a safe file name for any key name or chunk id.
[[nodiscard]] std::string encodeFileName(std::string_view name);
/// The name encodeFileName encoded; empty when text is no such encoding.
[[nodiscard]] std::optional<std::string> decodeFileName(std::string_view text);

} // namespace vorela
