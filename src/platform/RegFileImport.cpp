// Reading Windows .reg text files into the registry store: the three encodings, keys, key
// deletions and string, dword, binary values and value deletions, all in one transaction.
#include "platform/RegFile.h"

#include "platform/CodePage.h"
#include "platform/RegistryStore.h"
#include "platform/TextParsing.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace vorela {

namespace {

constexpr std::string_view Regedit4Header = "REGEDIT4";
constexpr std::string_view Version5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view LocalMachine = "HKEY_LOCAL_MACHINE";

bool startsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool isValidUtf8(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        if (decodeUtf8(text, pos) == U'\uFFFD' && text.substr(start, 3) != "\xEF\xBF\xBD")
            return false;
    }
    return true;
}

// UTF-16LE to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t unit = bytes[i] | (bytes[i + 1] << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = bytes[i + 2] | (bytes[i + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF)
            unit = 0xFFFD;
        appendUtf8(text, unit);
    }
    return text;
}

// The file's text in UTF-8: BOMs decide; otherwise UTF-8 when it is valid, else Windows-1251.
std::string decodeText(std::span<const std::uint8_t> bytes)
{
    if (startsWith(bytes, {0xFF, 0xFE}))
        return utf16ToUtf8(bytes.subspan(2));
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        bytes = bytes.subspan(3);
    const std::string_view raw(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    return isValidUtf8(raw) ? std::string(raw) : cp1251ToUtf8(raw);
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

struct Line {
    std::size_t number;
    std::string text;
};

// Lines with comments dropped and "\"-continued hex lines joined; numbers count physical lines.
std::vector<Line> logicalLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t number = 0;
    bool continuing = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        const bool continues = !line.empty() && line.back() == '\\' &&
                               (continuing || line.find("=hex") != std::string_view::npos);
        if (continues)
            line.remove_suffix(1);
        if (continuing)
            lines.back().text += line;
        else if (!line.empty() && line.front() != ';')
            lines.push_back(Line{number, std::string(line)});
        continuing = continues && !lines.empty();
    }
    return lines;
}

// A quoted text with \\ and \" escapes; pos starts at the opening quote and ends after the closing.
std::optional<std::string> readQuoted(std::string_view line, std::size_t &pos)
{
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        const char character = line[pos];
        if (character == '"') {
            ++pos;
            return out;
        }
        if (character == '\\' && pos + 1 < line.size())
            ++pos;
        out.push_back(line[pos]);
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> readHexBytes(std::string_view list)
{
    std::vector<std::uint8_t> bytes;
    for (const std::string &piece : parseText(list, ", \t")) {
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(piece.data(), piece.data() + piece.size(), value, 16);
        if (error != std::errc() || end != piece.data() + piece.size() || value > 0xFF)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

// The data after '=': "text", dword:, hex:, hex(1): (UTF-16LE text) or hex(4): (dword).
std::optional<RegistryValue> readData(std::string_view data, std::string name)
{
    RegistryValue value;
    value.name = std::move(name);
    if (!data.empty() && data.front() == '"') {
        std::size_t pos = 0;
        std::optional<std::string> text = readQuoted(data, pos);
        if (!text || !trimmed(data.substr(pos)).empty())
            return std::nullopt;
        value.text = std::move(*text);
        return value;
    }
    if (data.starts_with("dword:")) {
        const std::string_view digits = data.substr(6);
        value.type = ValueType::Dword;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value.dword, 16);
        if (digits.empty() || digits.size() > 8 || error != std::errc() ||
            end != digits.data() + digits.size())
            return std::nullopt;
        return value;
    }
    const std::size_t colon = data.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view kind = data.substr(0, colon);
    std::optional<std::vector<std::uint8_t>> bytes = readHexBytes(data.substr(colon + 1));
    if (!bytes)
        return std::nullopt;
    if (kind == "hex" || kind == "hex(3)") {
        value.type = ValueType::Binary;
        value.bytes = std::move(*bytes);
        return value;
    }
    if (kind == "hex(4)" && bytes->size() == 4) {
        value.type = ValueType::Dword;
        value.dword = (*bytes)[0] | ((*bytes)[1] << 8) | ((*bytes)[2] << 16) |
                      (static_cast<std::uint32_t>((*bytes)[3]) << 24);
        return value;
    }
    if (kind == "hex(1)" && bytes->size() % 2 == 0) {
        std::string text = utf16ToUtf8(*bytes);
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        value.text = std::move(text);
        return value;
    }
    return std::nullopt;
}

// The key path below HKEY_LOCAL_MACHINE, or empty for a key outside it.
std::optional<std::string> localMachinePath(std::string_view fullPath)
{
    const std::size_t separator = fullPath.find('\\');
    const std::string_view hive = fullPath.substr(0, separator);
    if (foldRegistryName(hive) != foldRegistryName(LocalMachine))
        return std::nullopt;
    return separator == std::string_view::npos ? std::string()
                                               : std::string(fullPath.substr(separator + 1));
}

class Importer {
public:
    Importer(RegistryStore &target, std::string_view source) : store(target), sourceName(source) {}

    RegFileResult run(const std::string &text)
    {
        const std::vector<Line> lines = logicalLines(text);
        if (lines.empty() ||
            (lines.front().text != Regedit4Header && lines.front().text != Version5Header))
            return failure(lines.empty() ? 1 : lines.front().number,
                           "expected the header \"REGEDIT4\" or \"Windows Registry Editor "
                           "Version 5.00\"");
        RegistryTransaction transaction(store);
        if (!transaction.isActive())
            return failure(0, "the registry store is busy");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            RegFileResult result = apply(lines[i]);
            if (!result.ok)
                return result;
        }
        if (!transaction.commit())
            return failure(0, "the registry store could not be written");
        return RegFileResult{true, {}};
    }

private:
    RegFileResult failure(std::size_t line, const std::string &what) const
    {
        std::string where(sourceName);
        if (line > 0)
            where += ":" + std::to_string(line);
        return RegFileResult{false, where + ": " + what};
    }

    RegFileResult apply(const Line &line)
    {
        const std::string_view text = line.text;
        if (text.front() == '[')
            return applyKey(line);
        if (!current.isOpen())
            return failure(line.number, "a value before any [key] line");
        std::size_t pos = 0;
        std::string name;
        if (text.front() == '@') {
            pos = 1;
        } else {
            std::optional<std::string> quoted = readQuoted(text, pos);
            if (!quoted)
                return failure(line.number, "expected \"name\"=value or @=value");
            name = std::move(*quoted);
        }
        const std::string_view rest = trimmed(text.substr(pos));
        if (rest.empty() || rest.front() != '=')
            return failure(line.number, "expected '=' after the value name");
        const std::string_view data = trimmed(rest.substr(1));
        if (data == "-")
            return deleteValue(line, name);
        const std::optional<RegistryValue> value = readData(data, name);
        if (!value)
            return failure(line.number, "expected a string, dword:, hex: or - value");
        if (!current.writeValue(*value))
            return failure(line.number, "the value could not be written");
        return RegFileResult{true, {}};
    }

    // Deleting a missing value is no error; a stored value that stays fails the import.
    RegFileResult deleteValue(const Line &line, const std::string &name)
    {
        if (current.deleteValue(name) || current.readValue(name).state == ValueState::Missing)
            return RegFileResult{true, {}};
        return failure(line.number, "the value could not be deleted");
    }

    RegFileResult applyKey(const Line &line)
    {
        std::string_view text = line.text;
        if (text.size() < 3 || text.back() != ']')
            return failure(line.number, "expected [KEY] or [-KEY]");
        text = text.substr(1, text.size() - 2);
        const bool deletion = text.front() == '-';
        if (deletion)
            text.remove_prefix(1);
        const std::optional<std::string> path = localMachinePath(text);
        if (!path)
            return failure(line.number, "only keys under HKEY_LOCAL_MACHINE can be imported");
        if (deletion) {
            current = RegistryKey();
            return deleteKey(line, *path);
        }
        current = store.createKey(*path);
        if (!current.isOpen())
            return failure(line.number, "the key could not be created");
        return RegFileResult{true, {}};
    }

    RegFileResult deleteKey(const Line &line, const std::string &path)
    {
        const std::vector<std::string> components = parseText(path, "\\");
        if (components.empty())
            return failure(line.number, "HKEY_LOCAL_MACHINE itself cannot be deleted");
        std::string parentPath;
        for (std::size_t i = 0; i + 1 < components.size(); ++i)
            parentPath += components[i] + "\\";
        const RegistryKey parent = store.openKey(parentPath);
        if (!parent.isOpen() || !parent.openKey(components.back()).isOpen())
            return RegFileResult{true, {}}; // already absent
        if (!parent.deleteSubkeyTree(components.back()))
            return failure(line.number, "the key could not be deleted");
        return RegFileResult{true, {}};
    }

    RegistryStore &store;
    std::string_view sourceName;
    RegistryKey current;
};

} // namespace

RegFileResult importRegBytes(RegistryStore &store, std::span<const std::uint8_t> bytes,
                             std::string_view sourceName)
{
    return Importer(store, sourceName).run(decodeText(bytes));
}

RegFileResult importRegFile(RegistryStore &store, const std::filesystem::path &file)
{
    std::ifstream input(file, std::ios::binary);
    if (!input)
        return RegFileResult{false, file.string() + ": cannot be read"};
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(input)),
                                          std::istreambuf_iterator<char>());
    if (input.bad())
        return RegFileResult{false, file.string() + ": cannot be read"};
    return importRegBytes(store, bytes, file.string());
}

} // namespace vorela
