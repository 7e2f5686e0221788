// One task: its default values and its operators.
#include "stores/Alias.h"

namespace vorela {

Alias::Alias(const RegistryKey &parentKey, const std::string &name,
             const DataDirectory &dataDirectory)
    : taskName(name), key(parentKey.createKey(name)),
      taskOperators(key, std::string(OperatorsKeyName), name, dataDirectory)
{
    (void)key.stringValue(TaskFileValue);
    (void)key.stringValue(TaskCommValue);
}

} // namespace vorela
