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
    // Best effort: a default that cannot be written now (another process holds the store) is
    // written by a later load, and until then it reads as empty, as the stores read it anyway.
    (void)key.createDefaults(defaults);
}

} // namespace vorela
