// One operator: its default values, ranges, schedules and template.
#include "stores/Operator.h"

namespace vorela {

Operator::Operator(const RegistryKey &parentKey, const std::string &name, const std::string &path,
                   const DataDirectory &dataDirectory)
    : operatorName(name), operatorPath(path), key(parentKey.createKey(name)),
      operatorRanges(key, std::string(RangesKeyName)),
      operatorSchedules(key, std::string(SchedulesKeyName)),
      // The notification application locks a template by this name: task, then operator, no
      // separator, so two pairs that concatenate alike share one lock.
      operatorPatterns(key, std::string(TemplateKeyName), path + name, dataDirectory)
{
    const RegistryValue defaults[] = {{.name = "FieldSort"},
                                      {.name = "Ascend", .type = ValueType::Dword}};
    defaultsStored = key.createDefaults(defaults) && operatorRanges.hasAllDefaults() &&
                     operatorSchedules.schedulesKey().isOpen() &&
                     operatorPatterns.templateKey().isOpen();
}

} // namespace vorela
