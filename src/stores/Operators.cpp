// The operators of one task, in enumeration order.
#include "stores/Operators.h"

namespace vorela {

Operators::Operators(const RegistryKey &parentKey, const std::string &name, const std::string &path,
                     const DataDirectory &dataDirectory)
    : operatorsName(name), operatorsPath(path), key(parentKey.createKey(name))
{
    const std::vector<std::string> names = key.subkeyNames();
    const std::lock_guard guard(lock);
    defaultsStored = key.isOpen();
    for (const std::string &operatorName : names) {
        operators.push_back(std::make_unique<Operator>(key, operatorName, path, dataDirectory));
        defaultsStored = defaultsStored && operators.back()->hasAllDefaults();
    }
}

std::vector<std::string> Operators::operatorNames() const
{
    const std::lock_guard guard(lock);
    std::vector<std::string> names;
    for (const std::unique_ptr<Operator> &entry : operators)
        names.push_back(entry->name());
    return names;
}

Operator *Operators::findOperator(const std::string &operatorName) const
{
    const std::lock_guard guard(lock);
    for (const std::unique_ptr<Operator> &entry : operators) {
        if (entry->name() == operatorName)
            return entry.get();
    }
    return nullptr;
}

} // namespace vorela
