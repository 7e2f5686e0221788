// One range of an operator, loaded as a key only: the notification application owns its values.
#pragma once

#include "platform/RegistryKey.h"

#include <string>

namespace vorela {

class Range {
public:
    Range(const RegistryKey &parentKey, const std::string &name)
        : rangeName(name), key(parentKey.createKey(name))
    {
    }

    [[nodiscard]] const std::string &name() const { return rangeName; }
    [[nodiscard]] const RegistryKey &rangeKey() const { return key; }

private:
    std::string rangeName;
    RegistryKey key;
};

} // namespace vorela
