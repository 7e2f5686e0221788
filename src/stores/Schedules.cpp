// The schedules of an operator, loaded as keys.
#include "stores/Schedules.h"

namespace vorela {

Schedules::Schedules(const RegistryKey &parentKey, const std::string &name)
    : key(parentKey.createKey(name)), schedulesName(name)
{
    const std::vector<std::string> names = key.subkeyNames();
    const std::lock_guard guard(lock);
    for (const std::string &scheduleName : names)
        schedules.push_back(std::make_unique<Schedule>(key, scheduleName));
}

std::vector<std::string> Schedules::scheduleNames() const
{
    const std::lock_guard guard(lock);
    std::vector<std::string> names;
    for (const std::unique_ptr<Schedule> &schedule : schedules)
        names.push_back(schedule->name());
    return names;
}

} // namespace vorela
