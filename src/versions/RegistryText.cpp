// Writing and reading the registry text of a version; every byte of names and data round-trips.
#include "versions/RegistryText.h"

#include <charconv>

namespace vorela {

static constexpr char HexDigits[] = "0123456789abcdef";

static void appendHexByte(std::string &out, std::uint8_t byte, char prefix)
{
    if (prefix != 0)
        out.push_back(prefix);
    out.push_back(HexDigits[byte >> 4U]);
    out.push_back(HexDigits[byte & 15U]);
}

static std::optional<std::uint8_t> hexByte(std::string_view text, std::size_t pos)
{
    if (pos + 2 > text.size())
        return std::nullopt;
    unsigned value = 0;
    const char *first = text.data() + pos;
    const auto [end, status] = std::from_chars(first, first + 2, value, 16);
    if (status != std::errc() || end != first + 2)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

std::string hexText(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const std::uint8_t byte : bytes)
        appendHexByte(text, byte, 0);
    return text;
}

std::optional<std::vector<std::uint8_t>> bytesOfHex(std::string_view digits)
{
    if (digits.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t pos = 0; pos < digits.size(); pos += 2) {
        const std::optional<std::uint8_t> byte = hexByte(digits, pos);
        if (!byte)
            return std::nullopt;
        bytes.push_back(*byte);
    }
    return bytes;
}

static bool isControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

std::string encodeFileName(std::string_view name)
{
    std::string encoded;
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-';
        if (plain)
            encoded.push_back(character);
        else
            appendHexByte(encoded, byte, '%');
    }
    return encoded;
}

std::optional<std::string> decodeFileName(std::string_view text)
{
    std::string name;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != '%') {
            name.push_back(text[pos]);
            continue;
        }
        const std::optional<std::uint8_t> byte = hexByte(text, pos + 1);
        if (!byte)
            return std::nullopt;
        name.push_back(static_cast<char>(*byte));
        pos += 2;
    }
    return name;
}

static void appendPath(std::string &out, std::string_view path)
{
    for (const char character : path) {
        const auto byte = static_cast<unsigned char>(character);
        if (isControl(byte) || byte == '%')
            appendHexByte(out, byte, '%');
        else
            out.push_back(character);
    }
}

static void appendQuoted(std::string &out, std::string_view text)
{
    out.push_back('"');
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (character == '"' || character == '\\') {
            out.push_back('\\');
            out.push_back(character);
        } else if (character == '\n') {
            out += "\\n";
        } else if (isControl(byte)) {
            out += "\\x";
            appendHexByte(out, byte, 0);
        } else {
            out.push_back(character);
        }
    }
    out.push_back('"');
}

static void appendValue(std::string &out, const RegistryValue &value)
{
    appendQuoted(out, value.name);
    switch (value.type) {
    case ValueType::String:
        out += "=sz:";
        appendQuoted(out, value.text);
        break;
    case ValueType::Dword:
        out += "=dword:" + std::to_string(value.dword);
        break;
    case ValueType::Binary:
        out += "=hex:" + hexText(value.bytes);
        break;
    }
    out.push_back('\n');
}

std::string writeRegistryText(std::span<const TextKey> keys)
{
    std::string text;
    for (const TextKey &key : keys) {
        text.push_back('[');
        appendPath(text, key.path);
        text += "]\n";
        for (const RegistryValue &value : key.values)
            appendValue(text, value);
    }
    return text;
}

namespace {

// One line of the text, read from the left; every step checks the bytes left.
class LineReader {
public:
    explicit LineReader(std::string_view text) : line(text) {}

    [[nodiscard]] bool atEnd() const { return pos == line.size(); }
    [[nodiscard]] bool take(std::string_view expected)
    {
        if (line.substr(pos, expected.size()) != expected)
            return false;
        pos += expected.size();
        return true;
    }
    [[nodiscard]] std::optional<std::string> quoted()
    {
        if (!take("\""))
            return std::nullopt;
        std::string out;
        while (pos < line.size() && line[pos] != '"') {
            if (line[pos] != '\\') {
                out.push_back(line[pos++]);
                continue;
            }
            if (!escaped(out))
                return std::nullopt;
        }
        if (!take("\""))
            return std::nullopt;
        return out;
    }
    [[nodiscard]] std::string_view rest() const { return line.substr(pos); }

private:
    [[nodiscard]] bool escaped(std::string &out)
    {
        if (pos + 1 >= line.size())
            return false;
        const char kind = line[pos + 1];
        pos += 2;
        if (kind == '"' || kind == '\\') {
            out.push_back(kind);
            return true;
        }
        if (kind == 'n') {
            out.push_back('\n');
            return true;
        }
        const std::optional<std::uint8_t> byte = hexByte(line, pos);
        if (kind != 'x' || !byte)
            return false;
        out.push_back(static_cast<char>(*byte));
        pos += 2;
        return true;
    }

    std::string_view line;
    std::size_t pos = 0;
};

} // namespace

static bool readData(LineReader &reader, RegistryValue &value)
{
    if (reader.take("=sz:")) {
        value.type = ValueType::String;
        std::optional<std::string> text = reader.quoted();
        value.text = text.value_or("");
        return text && reader.atEnd();
    }
    if (reader.take("=dword:")) {
        value.type = ValueType::Dword;
        const std::string_view digits = reader.rest();
        const auto [end, status] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value.dword);
        return !digits.empty() && status == std::errc() && end == digits.data() + digits.size();
    }
    if (!reader.take("=hex:"))
        return false;
    value.type = ValueType::Binary;
    std::optional<std::vector<std::uint8_t>> bytes = bytesOfHex(reader.rest());
    if (!bytes)
        return false;
    value.bytes = std::move(*bytes);
    return true;
}

static std::optional<std::string> readKeyPath(std::string_view line)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    return decodeFileName(line.substr(1, line.size() - 2));
}

bool readRegistryText(std::string_view text, std::string_view fileName, std::vector<TextKey> &keys,
                      std::string &error)
{
    keys.clear();
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        const auto fail = [&](std::string_view expected) {
            error = std::string(fileName) + ", line " + std::to_string(lineNumber) + ": expected " +
                    std::string(expected);
            return false;
        };
        if (line.starts_with('[')) {
            std::optional<std::string> path = readKeyPath(line);
            if (!path)
                return fail("a key [PATH]");
            keys.push_back({std::move(*path), {}});
            continue;
        }
        LineReader reader(line);
        RegistryValue value;
        std::optional<std::string> name = reader.quoted();
        if (keys.empty() || !name)
            return fail("a key [PATH] or a value \"NAME\"=TYPE:DATA");
        value.name = std::move(*name);
        if (!readData(reader, value))
            return fail("sz:\"TEXT\", dword:NUMBER or hex:BYTES after the value's name");
        keys.back().values.push_back(std::move(value));
    }
    return true;
}

} // namespace vorela
