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
        if (const auto found = store->findSubkey(current.keyId, component)) {
            current = RegistryKey(store, found->first, found->second);
            continue;
        }
        const std::optional<std::int64_t> created = store->insertSubkey(current.keyId, component);
        if (!created)
            return {};
        current = RegistryKey(store, *created, component);
    }
    if (!transaction.commit())
        return {};
    return current;
}

RegistryKey RegistryKey::openKey(std::string_view relPath) const
{
    if (store == nullptr)
        return {};
    RegistryKey current = *this;
    current.keptSubkeys.clear();
    for (const std::string &component : parseText(relPath, "\\")) {
        const auto found = store->findSubkey(current.keyId, component);
        if (!found)
            return {};
        current = RegistryKey(store, found->first, found->second);
    }
    if (current.keyId == keyId && !exists())
        return {};
    return current;
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

void RegistryKey::keepSubkeys() const
{
    keptSubkeys.clear();
    for (RegistryKey &subkey : subkeys())
        keptSubkeys.push_back(std::move(subkey.keyName));
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
        opened.push_back(RegistryKey(store, id, std::move(subkeyName)));
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
    const auto found = store->findSubkey(keyId, subkeyName);
    return found && store->deleteKeyTree(found->first) && transaction.commit();
}

} // namespace vorela
