// Builds DBF table files byte by byte for tests: dBase III or Visual FoxPro layout, any code page
// mark, deleted records, and raw access to the bytes for damaging them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vorela::test {

struct DbfFieldLayout {
    std::string name; // stored bytes, at most 10
    char type;
    std::uint8_t length;
    std::uint8_t decimals = 0;
    std::uint8_t flags = 0; // Visual FoxPro: 0x01 hidden, 0x02 nullable
};

class DbfBuilder {
public:
    explicit DbfBuilder(std::vector<DbfFieldLayout> fieldList, std::uint8_t versionByte = 0x03,
                        std::uint8_t languageDriver = 0x65)
        : fields(std::move(fieldList)), version(versionByte), language(languageDriver)
    {
    }

    /// Appends a record from the stored bytes of each field (padded with blanks to the length).
    DbfBuilder &record(const std::vector<std::string> &values, bool deleted = false)
    {
        std::string bytes(1, deleted ? '*' : ' ');
        for (std::size_t index = 0; index < fields.size(); ++index) {
            std::string value = index < values.size() ? values[index] : std::string();
            value.resize(fields[index].length, ' ');
            bytes += value;
        }
        records.push_back(bytes);
        return *this;
    }

    [[nodiscard]] std::uint16_t headerLength() const
    {
        const bool visualFoxPro = version >= 0x30 && version <= 0x32;
        return static_cast<std::uint16_t>(32 + 32 * fields.size() + 1 + (visualFoxPro ? 263 : 0));
    }

    [[nodiscard]] std::uint16_t recordLength() const
    {
        std::uint16_t length = 1;
        for (const DbfFieldLayout &field : fields)
            length = static_cast<std::uint16_t>(length + field.length);
        return length;
    }

    [[nodiscard]] std::string bytes(bool endMark = true) const
    {
        std::string out(32, '\0');
        out[0] = static_cast<char>(version);
        out[1] = 126;
        out[2] = 7;
        out[3] = 3;
        putU32(out, 4, static_cast<std::uint32_t>(records.size()));
        putU16(out, 8, headerLength());
        putU16(out, 10, recordLength());
        out[29] = static_cast<char>(language);
        std::uint32_t offset = 1;
        for (const DbfFieldLayout &field : fields) {
            std::string descriptor(32, '\0');
            descriptor.replace(0, field.name.size(), field.name);
            descriptor[11] = field.type;
            putU32(descriptor, 12, offset);
            descriptor[16] = static_cast<char>(field.length);
            descriptor[17] = static_cast<char>(field.decimals);
            descriptor[18] = static_cast<char>(field.flags);
            out += descriptor;
            offset += field.length;
        }
        out += '\x0D';
        out.resize(headerLength(), '\0');
        for (const std::string &record : records)
            out += record;
        if (endMark)
            out += '\x1A';
        return out;
    }

    void write(const std::filesystem::path &path, bool endMark = true) const
    {
        writeBytes(path, bytes(endMark));
    }

    static void writeBytes(const std::filesystem::path &path, const std::string &content)
    {
        std::ofstream stream(path, std::ios::binary | std::ios::trunc);
        stream.write(content.data(), static_cast<std::streamsize>(content.size()));
    }

    static void putU16(std::string &out, std::size_t at, std::uint16_t value)
    {
        out[at] = static_cast<char>(value & 0xFF);
        out[at + 1] = static_cast<char>(value >> 8);
    }

    static void putU32(std::string &out, std::size_t at, std::uint32_t value)
    {
        for (int shift = 0; shift < 4; ++shift)
            out[at + static_cast<std::size_t>(shift)] = static_cast<char>(value >> (8 * shift));
    }

private:
    std::vector<DbfFieldLayout> fields;
    std::uint8_t version;
    std::uint8_t language;
    std::vector<std::string> records;
};

} // namespace vorela::test
