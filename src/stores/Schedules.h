// The schedules of one operator (subkey "Расписания"), loaded as keys in enumeration order.
#pragma once

#include "platform/RegistryKey.h"
#include "stores/Schedule.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vorela {

inline constexpr std::string_view SchedulesKeyName = "Расписания";

class Schedules {
public:
    /// Opens (creating) the key `name` under parentKey and loads one Schedule per subkey.
    Schedules(const RegistryKey &parentKey, const std::string &name);

    [[nodiscard]] const std::string &name() const { return schedulesName; }
    [[nodiscard]] const RegistryKey &schedulesKey() const { return key; }
    /// The schedules' names in load order.
    [[nodiscard]] std::vector<std::string> scheduleNames() const;

private:
    RegistryKey key;
    std::string schedulesName;
    std::vector<std::unique_ptr<Schedule>> schedules;
    mutable std::recursive_mutex lock;
};

} // namespace vorela
