// One notification task: its "File" and "Comm" values and its operators.
#pragma once

#include "platform/RegistryKey.h"
#include "stores/Operators.h"

#include <string>
#include <string_view>

namespace vorela {

class DataDirectory;

inline constexpr std::string_view TaskFileValue = "File";
inline constexpr std::string_view TaskCommValue = "Comm";

class Alias {
public:
    /// Opens (creating) the key `name` under parentKey, writes missing "File" and "Comm" (empty
    /// REG_SZ) and loads "Операторы".
    Alias(const RegistryKey &parentKey, const std::string &name,
          const DataDirectory &dataDirectory);

    [[nodiscard]] const std::string &name() const { return taskName; }
    [[nodiscard]] const RegistryKey &taskKey() const { return key; }
    [[nodiscard]] Operators &operators() { return taskOperators; }
    /// Whether the task's and its operators' default values and fixed subkeys are all stored.
    [[nodiscard]] bool hasAllDefaults() const { return defaultsStored; }

private:
    std::string taskName;
    RegistryKey key;
    Operators taskOperators;
    bool defaultsStored = false;
};

} // namespace vorela
