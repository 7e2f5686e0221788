// Writing a key of the registry store as a version 5.00 .reg file (UTF-16LE with BOM).
#include "platform/RegFile.h"

#include "platform/AtomicFileReplace.h"
#include "platform/CodePage.h"
#include "platform/RegistryStore.h"
#include "platform/TextParsing.h"

#include <cstdio>

namespace vorela {

namespace {

constexpr std::string_view LocalMachine = "HKEY_LOCAL_MACHINE";

std::string quotedText(std::string_view text)
{
    std::string out = "\"";
    for (const char character : text) {
        if (character == '\\' || character == '"')
            out.push_back('\\');
        out.push_back(character);
    }
    return out + "\"";
}

std::string hexList(const std::vector<std::uint8_t> &bytes)
{
    std::string out;
    char pair[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        if (i > 0)
            out.push_back(',');
        out += pair;
    }
    return out;
}

void appendUtf16le(std::string &out, char32_t character)
{
    auto unit = [&out](char32_t value) {
        out.push_back(static_cast<char>(value & 0xFF));
        out.push_back(static_cast<char>((value >> 8) & 0xFF));
    };
    if (character < 0x10000) {
        unit(character);
        return;
    }
    character -= 0x10000;
    unit(0xD800 + (character >> 10));
    unit(0xDC00 + (character & 0x3FF));
}

std::vector<std::uint8_t> utf16leBytes(std::string_view text)
{
    std::string encoded;
    std::size_t pos = 0;
    while (pos < text.size())
        appendUtf16le(encoded, decodeUtf8(text, pos));
    encoded.append(2, '\0'); // the terminator a REG_SZ carries
    return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

// A text with a line break cannot stand in quotes: it goes as hex(1), UTF-16LE.
std::string valueLine(const RegistryValue &value)
{
    std::string line = value.name.empty() ? std::string("@") : quotedText(value.name);
    line += '=';
    switch (value.type) {
    case ValueType::Dword: {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", value.dword);
        return line + digits;
    }
    case ValueType::Binary:
        return line + "hex:" + hexList(value.bytes);
    case ValueType::String:
        break;
    }
    if (value.text.find_first_of("\r\n") != std::string::npos)
        return line + "hex(1):" + hexList(utf16leBytes(value.text));
    return line + quotedText(value.text);
}

// False when a read failed: a file missing part of the key must not pass for the whole key.
bool exportKey(const RegistryKey &key, const std::string &fullPath, std::string &out)
{
    const std::optional<std::vector<RegistryValue>> values = key.readValues();
    const std::optional<std::vector<RegistryKey>> subkeys = key.readSubkeys();
    if (!values || !subkeys)
        return false;
    out += "[" + fullPath + "]\r\n";
    for (const RegistryValue &value : *values)
        out += valueLine(value) + "\r\n";
    out += "\r\n";
    for (const RegistryKey &subkey : *subkeys) {
        if (!exportKey(subkey, fullPath + "\\" + subkey.name(), out))
            return false;
    }
    return true;
}

} // namespace

std::string exportRegText(RegistryStore &store, std::string_view keyPath)
{
    const std::vector<std::string> components = parseText(keyPath, "\\");
    if (components.empty() ||
        foldRegistryName(components.front()) != foldRegistryName(LocalMachine))
        return {};
    const RegistryReadTransaction snapshot(store);
    RegistryKey key = store.localMachine();
    std::string fullPath(LocalMachine);
    for (std::size_t i = 1; i < components.size(); ++i) {
        key = key.openKey(components[i]);
        if (!key.isOpen())
            return {};
        fullPath += "\\" + key.name();
    }
    std::string out = "Windows Registry Editor Version 5.00\r\n\r\n";
    return exportKey(key, fullPath, out) ? out : std::string();
}

std::string encodeRegFile(std::string_view utf8Text)
{
    std::string encoded = "\xFF\xFE";
    std::size_t pos = 0;
    while (pos < utf8Text.size())
        appendUtf16le(encoded, decodeUtf8(utf8Text, pos));
    return encoded;
}

RegFileResult exportRegFile(RegistryStore &store, std::string_view keyPath,
                            const std::filesystem::path &file)
{
    const std::string text = exportRegText(store, keyPath);
    if (text.empty())
        return RegFileResult{false, "no key " + std::string(keyPath) +
                                        " in the registry store, or it cannot be read"};
    if (!replaceFileContent(file, encodeRegFile(text)))
        return RegFileResult{false, file.string() + ": cannot be written"};
    return RegFileResult{true, {}};
}

} // namespace vorela
