// The ranges of an operator, loaded as keys; "Field" and "Type" get their defaults.
#include "stores/Ranges.h"

namespace vorela {

Ranges::Ranges(const RegistryKey &parentKey, const std::string &name)
    : key(parentKey.createKey(name)), rangesName(name)
{
    const RegistryValue defaults[] = {{.name = "Field"}, {.name = "Type"}};
    defaultsStored = key.createDefaults(defaults);
    const std::vector<std::string> names = key.subkeyNames();
    const std::lock_guard guard(lock);
    for (const std::string &rangeName : names)
        ranges.push_back(std::make_unique<Range>(key, rangeName));
}

std::vector<std::string> Ranges::rangeNames() const
{
    const std::lock_guard guard(lock);
    std::vector<std::string> names;
    for (const std::unique_ptr<Range> &range : ranges)
        names.push_back(range->name());
    return names;
}

} // namespace vorela
