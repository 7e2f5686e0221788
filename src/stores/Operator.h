// One operator of a task: its ranges, schedules and template.
#pragma once

#include "platform/RegistryKey.h"
#include "stores/Patterns.h"
#include "stores/Ranges.h"
#include "stores/Schedules.h"

#include <string>
#include <string_view>

namespace vorela {

class DataDirectory;

inline constexpr std::string_view TemplateKeyName = "Шаблоны";

class Operator {
public:
    /// Opens (creating) the key `name` under parentKey, writes missing "FieldSort" (empty REG_SZ)
    /// and "Ascend" (REG_DWORD 0) and loads "Диапазоны", "Расписания" and "Шаблоны", the template
    /// locked by the name path + name (task name directly followed by operator name).
    Operator(const RegistryKey &parentKey, const std::string &name, const std::string &path,
             const DataDirectory &dataDirectory);

    [[nodiscard]] const std::string &name() const { return operatorName; }
    /// The task's name.
    [[nodiscard]] const std::string &path() const { return operatorPath; }
    [[nodiscard]] const RegistryKey &operatorKey() const { return key; }
    [[nodiscard]] Ranges &ranges() { return operatorRanges; }
    [[nodiscard]] Schedules &schedules() { return operatorSchedules; }
    [[nodiscard]] Patterns &patterns() { return operatorPatterns; }
    /// Whether the operator's default values and fixed subkeys are all stored.
    [[nodiscard]] bool hasAllDefaults() const { return defaultsStored; }

private:
    std::string operatorName;
    std::string operatorPath;
    RegistryKey key;
    Ranges operatorRanges;
    Schedules operatorSchedules;
    Patterns operatorPatterns;
    bool defaultsStored = false;
};

} // namespace vorela
