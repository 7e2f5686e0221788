// The operators of one task (subkey "Операторы"), in enumeration order.
#pragma once

#include "platform/RegistryKey.h"
#include "stores/Operator.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class DataDirectory;

inline constexpr std::string_view OperatorsKeyName = "Операторы";

class Operators {
public:
    /// Opens (creating) the key `name` under parentKey and loads one Operator per subkey; path is
    /// the task's name.
    Operators(const RegistryKey &parentKey, const std::string &name, const std::string &path,
              const DataDirectory &dataDirectory);

    [[nodiscard]] const std::string &name() const { return operatorsName; }
    [[nodiscard]] const std::string &path() const { return operatorsPath; }
    /// The operators' names in load order.
    [[nodiscard]] std::vector<std::string> operatorNames() const;
    /// Whether the key and every operator's default values and fixed subkeys are stored.
    [[nodiscard]] bool hasAllDefaults() const { return defaultsStored; }
    /// The first operator with exactly this name, or null. Hold guard() while using it.
    [[nodiscard]] Operator *findOperator(const std::string &operatorName) const;
    /// This list's lock, taken after the Aliases lock and before a template's mutex.
    [[nodiscard]] std::unique_lock<std::recursive_mutex> guard() const
    {
        return std::unique_lock(lock);
    }

private:
    std::string operatorsName;
    std::string operatorsPath;
    RegistryKey key;
    std::vector<std::unique_ptr<Operator>> operators;
    bool defaultsStored = false;
    mutable std::recursive_mutex lock;
};

} // namespace vorela
