// One registry value as the store keeps it: a name, a type and its data.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// The value types the store keeps, numbered as the registry numbers them.
enum class ValueType : std::uint32_t { String = 1, Binary = 3, Dword = 4 };

/// A value with the data of its type: `text` for String (UTF-8), `dword` for Dword, `bytes` for
/// Binary; the other fields stay empty.
struct RegistryValue {
    std::string name{};
    ValueType type = ValueType::String;
    std::string text{};
    std::uint32_t dword = 0;
    std::vector<std::uint8_t> bytes{};

    friend bool operator==(const RegistryValue &, const RegistryValue &) = default;
};

/// How a read of one value ended. A failed read says nothing about the value: it may be stored.
enum class ValueState { Found, Missing, Failed };

/// The outcome of reading one value; `value` is set only when it was found.
struct ValueRead {
    ValueState state = ValueState::Missing;
    RegistryValue value{};
};

/// The case-folded form by which key and value names match: ASCII, Latin-1 and Cyrillic letters
/// (with Ё/ё and the Ukrainian letters) fold to lower case; every other byte stays as it is.
[[nodiscard]] std::string foldRegistryName(std::string_view name);

} // namespace vorela
