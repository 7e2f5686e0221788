// The ranges of one operator (subkey "Диапазоны"), loaded as keys in enumeration order.
#pragma once

#include "platform/RegistryKey.h"
#include "stores/Range.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vorela {

inline constexpr std::string_view RangesKeyName = "Диапазоны";

class Ranges {
public:
    /// Opens (creating) the key `name` under parentKey, writes missing "Field" and "Type" (empty
    /// REG_SZ) and loads one Range per subkey.
    Ranges(const RegistryKey &parentKey, const std::string &name);

    [[nodiscard]] const std::string &name() const { return rangesName; }
    [[nodiscard]] const RegistryKey &rangesKey() const { return key; }
    /// The ranges' names in load order.
    [[nodiscard]] std::vector<std::string> rangeNames() const;
    /// Whether "Field" and "Type" are stored (false: they could not be written, and read empty).
    [[nodiscard]] bool hasAllDefaults() const { return defaultsStored; }

private:
    RegistryKey key;
    std::string rangesName;
    std::vector<std::unique_ptr<Range>> ranges;
    bool defaultsStored = false;
    mutable std::recursive_mutex lock;
};

} // namespace vorela
