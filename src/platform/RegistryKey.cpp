// Key handles of the registry store: opening and creating keys by path, subkey enumeration from a
// kept list, and value reads and writes.
#include "platform/RegistryKey.h"

#include "platform/RegistryStore.h"
#include "platform/TextParsing.h"

#include <algorithm>
#include <type_traits>

namespace vorela {

bool RegistryKey::exists() const
{
    return store != nullptr && store->keyName(keyId).has_value();
}

RegistryKey RegistryKey::child(std::int64_t id, std::string name) const
{
    std::string fullPath = keyPath.empty() ? name : keyPath + "\\" + name;
    return RegistryKey(store, id, std::move(name), std::move(fullPath));
}

RegistryKey RegistryKey::createKey(std::string_view relPath) const
{
    if (store == nullptr)
        return {};
    // Most calls open keys that exist: those need no write transaction.
    if (RegistryKey existing = openKey(relPath); existing.isOpen())
        return existing;
    RegistryTransaction transaction(*store);
    RegistryKey current = *this;
    current.keptSubkeys.clear();
    for (const std::string &component : parseText(relPath, "\\")) {
        RegistryStore::SubkeyLookup found = store->findSubkey(current.keyId, component);
        if (found.state == ValueState::Failed)
            return {};
        if (found.state == ValueState::Found) {
            current = current.child(found.id, std::move(found.name));
            continue;
        }
        const std::optional<std::int64_t> created = store->insertSubkey(current.keyId, component);
        if (!created)
            return {};
        current = current.child(*created, component);
    }
    if (!transaction.commit())
        return {};
    return current;
}

RegistryKey RegistryKey::openKey(std::string_view relPath) const
{
    return findKey(relPath).value_or(RegistryKey());
}

std::optional<RegistryKey> RegistryKey::findKey(std::string_view relPath) const
{
    if (store == nullptr)
        return RegistryKey();
    RegistryKey current = *this;
    current.keptSubkeys.clear();
    for (const std::string &component : parseText(relPath, "\\")) {
        RegistryStore::SubkeyLookup found = store->findSubkey(current.keyId, component);
        if (found.state == ValueState::Failed)
            return std::nullopt;
        if (found.state == ValueState::Missing)
            return RegistryKey();
        current = current.child(found.id, std::move(found.name));
    }
    if (current.keyId == keyId && !exists())
        return RegistryKey();
    return current;
}

std::optional<RegistryKey> RegistryKey::reopen() const
{
    if (store == nullptr)
        return RegistryKey();
    return store->localMachine().findKey(keyPath);
}

std::optional<std::string> RegistryKey::enumerateSubkey(std::size_t index) const
{
    if (store == nullptr)
        return std::nullopt;
    if (index == 0 || keptSubkeys.empty())
        keepSubkeys();
    if (index >= keptSubkeys.size())
        return std::nullopt;
    return keptSubkeys[index];
}

std::vector<std::string> RegistryKey::subkeyNames() const
{
    keepSubkeys();
    return keptSubkeys;
}

std::optional<std::vector<std::string>> RegistryKey::readSubkeyNames() const
{
    if (!keepSubkeys())
        return std::nullopt;
    return keptSubkeys;
}

bool RegistryKey::keepSubkeys() const
{
    keptSubkeys.clear();
    const std::optional<std::vector<RegistryKey>> listed = readSubkeys();
    if (!listed)
        return false;
    for (const RegistryKey &subkey : *listed)
        keptSubkeys.push_back(subkey.keyName);
    return true;
}

std::vector<RegistryKey> RegistryKey::subkeys() const
{
    return readSubkeys().value_or(std::vector<RegistryKey>());
}

std::optional<std::vector<RegistryKey>> RegistryKey::readSubkeys() const
{
    if (store == nullptr)
        return std::nullopt;
    auto listed = store->listSubkeys(keyId);
    if (!listed)
        return std::nullopt;
    std::vector<RegistryKey> opened;
    opened.reserve(listed->size());
    for (auto &[id, subkeyName] : *listed)
        opened.push_back(child(id, std::move(subkeyName)));
    return opened;
}

ValueRead RegistryKey::readValue(std::string_view valueName) const
{
    if (store == nullptr)
        return {ValueState::Failed};
    return store->readValue(keyId, valueName);
}

bool RegistryKey::hasValue(std::string_view valueName) const
{
    return readValue(valueName).state == ValueState::Found;
}

// The typed reads: the data when the value is there with the expected type.
template <ValueType Type, auto Field>
static auto readTyped(const RegistryKey &key, std::string_view valueName)
{
    ValueRead read = key.readValue(valueName);
    using Data = std::remove_reference_t<decltype(read.value.*Field)>;
    if (read.state != ValueState::Found || read.value.type != Type)
        return std::optional<Data>();
    return std::optional<Data>(std::move(read.value.*Field));
}

std::optional<std::string> RegistryKey::readString(std::string_view valueName) const
{
    return readTyped<ValueType::String, &RegistryValue::text>(*this, valueName);
}

std::optional<std::uint32_t> RegistryKey::readDword(std::string_view valueName) const
{
    return readTyped<ValueType::Dword, &RegistryValue::dword>(*this, valueName);
}

std::optional<std::vector<std::uint8_t>> RegistryKey::readBinary(std::string_view valueName) const
{
    return readTyped<ValueType::Binary, &RegistryValue::bytes>(*this, valueName);
}

std::vector<RegistryValue> RegistryKey::values() const
{
    return readValues().value_or(std::vector<RegistryValue>());
}

std::optional<std::vector<RegistryValue>> RegistryKey::readValues() const
{
    if (store == nullptr)
        return std::nullopt;
    return store->readValues(keyId);
}

// Only a value known to be missing gets its default: a failed read may hide a stored one. After
// writing, the value is read again, as another process may have stored it first.
ValueRead RegistryKey::readOrCreate(const RegistryValue &fallback) const
{
    const ValueRead read = readValue(fallback.name);
    if (read.state != ValueState::Missing || !createDefaults(std::span(&fallback, 1)))
        return read;
    return readValue(fallback.name);
}

std::string RegistryKey::stringValue(std::string_view valueName) const
{
    const ValueRead read = readOrCreate({.name = std::string(valueName)});
    if (read.state != ValueState::Found || read.value.type != ValueType::String)
        return {};
    return read.value.text;
}

std::uint32_t RegistryKey::dwordValue(std::string_view valueName) const
{
    const ValueRead read = readOrCreate({.name = std::string(valueName), .type = ValueType::Dword});
    if (read.state != ValueState::Found || read.value.type != ValueType::Dword)
        return 0;
    return read.value.dword;
}

bool RegistryKey::createDefaults(std::span<const RegistryValue> defaults) const
{
    if (store == nullptr)
        return false;
    // With every value stored there is nothing to write, and a busy store is no failure.
    const auto stored = [this](const RegistryValue &value) { return hasValue(value.name); };
    if (std::ranges::all_of(defaults, stored))
        return true;
    RegistryTransaction transaction(*store);
    for (const RegistryValue &value : defaults) {
        if (!store->insertValue(keyId, value))
            return false;
    }
    return transaction.commit();
}

bool RegistryKey::writeString(std::string_view valueName, std::string_view text) const
{
    RegistryValue value;
    value.name = valueName;
    value.text = text;
    return writeValue(value);
}

bool RegistryKey::writeDword(std::string_view valueName, std::uint32_t dword) const
{
    RegistryValue value;
    value.name = valueName;
    value.type = ValueType::Dword;
    value.dword = dword;
    return writeValue(value);
}

bool RegistryKey::writeBinary(std::string_view valueName, std::span<const std::uint8_t> bytes) const
{
    RegistryValue value;
    value.name = valueName;
    value.type = ValueType::Binary;
    value.bytes.assign(bytes.begin(), bytes.end());
    return writeValue(value);
}

bool RegistryKey::writeValue(const RegistryValue &value) const
{
    if (store == nullptr)
        return false;
    RegistryTransaction transaction(*store);
    return store->writeValue(keyId, value) && transaction.commit();
}

bool RegistryKey::deleteValue(std::string_view valueName) const
{
    if (store == nullptr)
        return false;
    RegistryTransaction transaction(*store);
    return store->deleteValue(keyId, valueName) && transaction.commit();
}

bool RegistryKey::deleteSubkeyTree(std::string_view subkeyName) const
{
    if (store == nullptr || subkeyName.empty())
        return false;
    RegistryTransaction transaction(*store);
    const RegistryStore::SubkeyLookup found = store->findSubkey(keyId, subkeyName);
    return found.state == ValueState::Found && store->deleteKeyTree(found.id) &&
           transaction.commit();
}

} // namespace vorela
