// One task: its default values and its operators.
#include "stores/Alias.h"

namespace vorela {

Alias::Alias(const RegistryKey &parentKey, const std::string &name,
             const DataDirectory &dataDirectory)
    : taskName(name), key(parentKey.createKey(name)),
      taskOperators(key, std::string(OperatorsKeyName), name, dataDirectory)
{
    const RegistryValue defaults[] = {{.name = std::string(TaskFileValue)},
                                      {.name = std::string(TaskCommValue)}};
    // A default that cannot be written now (another process holds the store) is written by a
    // later load; until then it reads as empty, and the owner of the load tells the operator.
    defaultsStored = key.createDefaults(defaults) && taskOperators.hasAllDefaults();
}

} // namespace vorela
