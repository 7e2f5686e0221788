// Writing a dBase III table byte by byte.
#include "installation/DbfWriter.h"

#include "platform/CodePage.h"

#include <cstdint>
#include <fstream>
#include <map>

namespace vorela {

namespace {

constexpr std::uint8_t DbaseThree = 0x03;
constexpr std::uint8_t Cp866Driver = 0x65;
constexpr std::uint8_t HeaderEnd = 0x0D;
constexpr std::uint8_t FileEnd = 0x1A;

void put16(std::string &out, unsigned value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

void put32(std::string &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::string header(const std::vector<DbfWriterField> &fields, std::size_t records,
                   unsigned recordBytes)
{
    std::string out;
    out.push_back(static_cast<char>(DbaseThree));
    out += std::string("\x7C\x01\x01", 3); // last update 2024-01-01
    put32(out, static_cast<std::uint32_t>(records));
    put16(out, static_cast<unsigned>(32 + 32 * fields.size() + 1));
    put16(out, recordBytes);
    out += std::string(17, '\0');
    out.push_back(static_cast<char>(Cp866Driver));
    out += std::string(2, '\0');
    for (const DbfWriterField &field : fields) {
        std::string name = field.name.substr(0, 10);
        name.resize(11, '\0');
        out += name;
        out.push_back(field.type);
        out += std::string(4, '\0');
        out.push_back(static_cast<char>(field.length));
        out.push_back(static_cast<char>(field.decimals));
        out += std::string(14, '\0');
    }
    out.push_back(static_cast<char>(HeaderEnd));
    return out;
}

} // namespace

std::string utf8ToCp866(std::string_view text)
{
    static const std::map<char32_t, char> Bytes = [] {
        std::map<char32_t, char> table;
        for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
            const std::string decoded = cp866ToUtf8(std::string(1, static_cast<char>(byte)));
            std::size_t position = 0;
            table.emplace(decodeUtf8(decoded, position), static_cast<char>(byte));
        }
        return table;
    }();
    std::string out;
    for (std::size_t position = 0; position < text.size();) {
        const char32_t character = decodeUtf8(text, position);
        if (character < 0x80) {
            out.push_back(static_cast<char>(character));
            continue;
        }
        const auto found = Bytes.find(character);
        out.push_back(found == Bytes.end() ? '?' : found->second);
    }
    return out;
}

bool writeDbf(const std::filesystem::path &file, const std::vector<DbfWriterField> &fields,
              const std::vector<std::vector<std::string>> &records, std::string &error)
{
    unsigned recordBytes = 1;
    for (const DbfWriterField &field : fields)
        recordBytes += field.length;
    std::string out = header(fields, records.size(), recordBytes);
    for (const std::vector<std::string> &record : records) {
        out.push_back(' '); // live record
        for (std::size_t index = 0; index < fields.size(); ++index) {
            const DbfWriterField &field = fields[index];
            const std::string value = index < record.size() ? utf8ToCp866(record[index]) : "";
            if (value.size() > field.length) {
                error =
                    file.string() + ": \"" + record[index] + "\" does not fit field " + field.name;
                return false;
            }
            const std::string padding(field.length - value.size(), ' ');
            // Numbers stand right-aligned, text and dates left-aligned.
            out += field.type == 'N' ? padding + value : value + padding;
        }
    }
    out.push_back(static_cast<char>(FileEnd));
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    stream.close();
    if (!stream) {
        error = file.string() + ": cannot write";
        return false;
    }
    return true;
}

} // namespace vorela
