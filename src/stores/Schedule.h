// One schedule of an operator, loaded as a key only: the notification application owns its values.
#pragma once

#include "platform/RegistryKey.h"

#include <string>

namespace vorela {

class Schedule {
public:
    Schedule(const RegistryKey &parentKey, const std::string &name)
        : scheduleName(name), key(parentKey.createKey(name))
    {
    }

    [[nodiscard]] const std::string &name() const { return scheduleName; }
    [[nodiscard]] const RegistryKey &scheduleKey() const { return key; }

private:
    std::string scheduleName;
    RegistryKey key;
};

} // namespace vorela
