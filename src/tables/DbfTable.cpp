// Reads DBF headers and records with every length checked against the file, so a damaged or
// truncated table gives a reason instead of a crash or a huge allocation.
#include "tables/DbfTable.h"

#include "platform/ByteReader.h"
#include "platform/CodePage.h"
#include "platform/RegistryValue.h"
#include "tables/DbfRecordCursor.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <system_error>

namespace vorela {

static constexpr std::size_t PrefixBytes = 32;
static constexpr std::size_t DescriptorBytes = 32;
static constexpr std::uint8_t DescriptorEnd = 0x0D;
static constexpr std::uint8_t DeletedMark = '*';

static bool knownVersion(std::uint8_t version)
{
    // dBase III/IV and FoxPro, with or without memo; 0x30..0x32 are Visual FoxPro.
    static constexpr std::array<std::uint8_t, 12> Versions = {0x03, 0x30, 0x31, 0x32, 0x43, 0x63,
                                                              0x83, 0x8B, 0x8E, 0xCB, 0xF5, 0xFB};
    return std::find(Versions.begin(), Versions.end(), version) != Versions.end();
}

static DbfTable::TextEncoding encodingOf(std::uint8_t languageDriver)
{
    // 0x26 and 0x65 name code page 866, 0xC9 code page 1251; tables without a mark were DOS ones.
    return languageDriver == 0xC9 ? DbfTable::TextEncoding::Cp1251 : DbfTable::TextEncoding::Cp866;
}

static std::string hexByte(std::uint8_t value)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    return std::string("0x") + Digits[value >> 4] + Digits[value & 0x0F];
}

std::optional<DbfTable> DbfTable::open(const std::filesystem::path &file, std::string &error)
{
    const std::string name = file.string();
    std::error_code status;
    if (!std::filesystem::exists(file, status)) {
        error = name + ": no such table file";
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(file, status)) {
        error = name + ": not a regular file";
        return std::nullopt;
    }
    DbfTable table;
    table.path = file;
    if (!table.file.open(file, BinaryFile::Access::Read)) {
        error = name + ": cannot be opened for reading (" + std::strerror(errno) + ")";
        return std::nullopt;
    }
    const std::optional<std::uint64_t> size = table.file.size();
    if (!size) {
        error = name + ": cannot take the file size";
        return std::nullopt;
    }
    table.fileSize = *size;
    if (!table.readHeader(error)) {
        error = name + ": " + error;
        return std::nullopt;
    }
    return table;
}

bool DbfTable::readHeader(std::string &error)
{
    if (fileSize < PrefixBytes) {
        error = "too short for a table header (" + std::to_string(fileSize) + " bytes, expected " +
                "at least 32)";
        return false;
    }
    std::array<std::uint8_t, PrefixBytes> prefix{};
    if (!file.readAt(0, prefix)) {
        error = "cannot read the table header";
        return false;
    }
    ByteReader reader(prefix);
    std::uint8_t version = 0;
    std::uint16_t headerBytes = 0;
    std::uint16_t recordBytes = 0;
    if (!reader.readU8(version) || !reader.skip(3) || !reader.readU32le(records) ||
        !reader.readU16le(headerBytes) || !reader.readU16le(recordBytes)) {
        error = "cannot read the table header";
        return false;
    }
    if (!knownVersion(version)) {
        error = "not a DBF table (version byte " + hexByte(version) + ")";
        return false;
    }
    headerLength = headerBytes;
    recordLength = recordBytes;
    textEncoding = encodingOf(prefix[29]);
    if (headerLength < PrefixBytes + 1 || headerLength > fileSize) {
        error = "header length " + std::to_string(headerLength) + " does not fit the file of " +
                std::to_string(fileSize) + " bytes";
        return false;
    }
    if (recordLength < 2) {
        error = "record length " + std::to_string(recordLength) + " is too small";
        return false;
    }
    const std::uint64_t recordBytesTotal = std::uint64_t{records} * recordLength;
    if (recordBytesTotal > fileSize - headerLength) {
        error = "header promises " + std::to_string(records) + " records of " +
                std::to_string(recordLength) + " bytes, but only " +
                std::to_string(fileSize - headerLength) + " bytes follow the header";
        return false;
    }
    std::vector<std::uint8_t> header(headerLength);
    if (!file.readAt(0, header)) {
        error = "cannot read the field descriptors";
        return false;
    }
    const bool visualFoxPro = version >= 0x30 && version <= 0x32;
    return readFields(header, visualFoxPro, error);
}

static SqlType sqlTypeOf(char type)
{
    switch (type) {
    case 'C':
        return SqlType::Char;
    case 'N':
    case 'F':
    case 'I':
        return SqlType::Decimal;
    case 'D':
        return SqlType::Date;
    case 'L':
        return SqlType::Bit;
    case 'M':
        return SqlType::LongText;
    default:
        return SqlType::Unusable;
    }
}

// Types whose stored width is fixed; a column declaring another width is not read.
static bool widthFits(char type, std::uint32_t length, std::uint32_t decimals)
{
    switch (type) {
    case 'D':
        return length == 8;
    case 'L':
        return length == 1;
    case 'I':
        return length == 4;
    case 'N':
    case 'F':
        return decimals < length;
    default:
        return true;
    }
}

bool DbfTable::readFields(std::span<const std::uint8_t> header, bool visualFoxPro,
                          std::string &error)
{
    std::uint32_t nextOffset = 1; // byte 0 of a record is its deletion flag
    unsigned nullBits = 0;
    for (std::size_t at = PrefixBytes;; at += DescriptorBytes) {
        if (at >= header.size()) {
            error = "the field descriptors have no end mark within the header";
            return false;
        }
        if (header[at] == DescriptorEnd)
            break;
        if (at + DescriptorBytes > header.size()) {
            error = "field descriptor " + std::to_string((at - PrefixBytes) / DescriptorBytes + 1) +
                    " runs past the header";
            return false;
        }
        const std::span<const std::uint8_t> descriptor = header.subspan(at, DescriptorBytes);
        const auto nameEnd = std::find(descriptor.begin(), descriptor.begin() + 11, 0);
        DbfField field;
        field.type = static_cast<char>(descriptor[11]);
        field.length = descriptor[16];
        const std::uint32_t decimals = descriptor[17];
        const std::uint8_t flags = visualFoxPro ? descriptor[18] : 0;
        field.offset = nextOffset;
        std::string rawName(descriptor.begin(), nameEnd);
        field.column.name = decode({descriptor.data(), rawName.size()});
        while (!field.column.name.empty() && field.column.name.back() == ' ')
            field.column.name.pop_back();
        if (field.length == 0 || field.column.name.empty()) {
            error = "field descriptor " + std::to_string((at - PrefixBytes) / DescriptorBytes + 1) +
                    " has no name or no length";
            return false;
        }
        nextOffset += field.length;
        if (nextOffset > recordLength) {
            error = "the fields need more than the record length of " +
                    std::to_string(recordLength) + " bytes";
            return false;
        }
        // The hidden null flags column holds one bit per nullable column and one per varying-length
        // column; a nullable varying-length column has its length bit first, then its null bit.
        if (flags & 0x01) {
            if (field.type == '0')
                nullFlags = field;
            continue;
        }
        if (field.type == 'V' || field.type == 'Q')
            ++nullBits;
        if (flags & 0x02)
            field.nullBit = nullBits++;
        const SqlType type = sqlTypeOf(field.type);
        const bool readable = widthFits(field.type, field.length, decimals);
        field.column.sqlType = readable ? type : SqlType::Unusable;
        field.column.length = field.type == 'I' ? 10 : static_cast<int>(field.length);
        field.column.decimals = field.column.sqlType == SqlType::Decimal && field.type != 'I'
                                    ? static_cast<int>(decimals)
                                    : 0;
        visibleFields.push_back(std::move(field));
    }
    if (visibleFields.empty()) {
        error = "the table has no columns";
        return false;
    }
    return true;
}

bool DbfTable::firstLiveRecord(std::optional<std::vector<std::uint8_t>> &record,
                               std::string &error) const
{
    record.reset();
    DbfRecordCursor cursor(*this);
    if (cursor.next(error))
        record.emplace(cursor.record().begin(), cursor.record().end());
    return error.empty();
}

const DbfField *DbfTable::boundField(const TableBinding &binding) const
{
    if (binding.kind == TableBinding::Kind::FirstColumn)
        return &visibleFields.front();
    if (binding.kind != TableBinding::Kind::Column)
        return nullptr;
    return findField(binding.text);
}

DbfTable::RecordState DbfTable::readRecord(std::uint32_t number, std::vector<std::uint8_t> &record,
                                           std::string &error) const
{
    if (number == 0 || number > records) {
        error = path.string() + ": no record " + std::to_string(number) + " (the table has " +
                std::to_string(records) + ")";
        return RecordState::Missing;
    }
    record.resize(recordLength);
    if (!file.readAt(headerLength + std::uint64_t{number - 1} * recordLength, record)) {
        error = path.string() + ": cannot read record " + std::to_string(number) +
                " (the file is shorter than its header says)";
        return RecordState::Unreadable;
    }
    return record.front() == DeletedMark ? RecordState::Deleted : RecordState::Live;
}

const DbfField *DbfTable::findField(std::string_view name) const
{
    // Column names match as registry names do, so Cyrillic ones ignore case too.
    const std::string folded = foldRegistryName(name);
    for (const DbfField &field : visibleFields) {
        if (foldRegistryName(field.column.name) == folded)
            return &field;
    }
    return nullptr;
}

std::string DbfTable::decode(std::span<const std::uint8_t> bytes) const
{
    const std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    return textEncoding == TextEncoding::Cp1251 ? cp1251ToUtf8(text) : cp866ToUtf8(text);
}

bool DbfTable::isNull(const DbfField &field, std::span<const std::uint8_t> record) const
{
    if (!field.nullBit || !nullFlags)
        return false;
    const unsigned byteIndex = *field.nullBit / 8;
    if (byteIndex >= nullFlags->length || nullFlags->offset + byteIndex >= record.size())
        return false;
    return (record[nullFlags->offset + byteIndex] >> (*field.nullBit % 8)) & 1;
}

// Writers pad fields with blanks or with NULs; either way the padding is no part of the value.
static constexpr std::string_view Padding(" \0", 2);

static std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Padding);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Padding) - first + 1);
}

// Pads the fraction to the declared decimals, so "12.5" in a column of two decimals reads "12.50"
// and is never spoken as five kopecks. Text that is not a plain number is left as stored.
static std::string withDecimals(std::string_view number, std::uint32_t decimals)
{
    std::string text(number);
    const std::size_t digitsStart = text.front() == '-' || text.front() == '+' ? 1 : 0;
    const std::size_t point = text.find('.');
    const std::string_view whole = std::string_view(text).substr(digitsStart, point - digitsStart);
    const std::string_view fraction =
        point == std::string::npos ? std::string_view() : std::string_view(text).substr(point + 1);
    const auto isDigit = [](char character) { return character >= '0' && character <= '9'; };
    if ((whole.empty() && point == std::string::npos) ||
        !std::all_of(whole.begin(), whole.end(), isDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return text;
    if (point == std::string::npos && decimals > 0)
        text += '.';
    if (fraction.size() < decimals)
        text.append(decimals - fraction.size(), '0');
    // ".5" would lose its whole part where amounts are split at the point: read it as 0.50.
    if (whole.empty())
        text.insert(digitsStart, "0");
    return text;
}

std::string DbfTable::fieldText(const DbfField &field, std::span<const std::uint8_t> record) const
{
    if (!field.column.usable() || field.offset + field.length > record.size() ||
        isNull(field, record))
        return {};
    const std::span<const std::uint8_t> bytes = record.subspan(field.offset, field.length);
    const std::string_view raw(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    switch (field.type) {
    case 'C': {
        const std::size_t end = raw.find_last_not_of(Padding);
        return end == std::string_view::npos ? std::string() : decode(bytes.first(end + 1));
    }
    case 'I': {
        const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                    std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
        return std::to_string(static_cast<std::int32_t>(value));
    }
    case 'L': {
        const char mark = raw[0];
        if (std::strchr("TtYy", mark) != nullptr && mark != 0)
            return "1";
        if (std::strchr("FfNn", mark) != nullptr && mark != 0)
            return "0";
        return {};
    }
    case 'D': {
        const std::string_view date = trimmed(raw);
        if (date.empty() || date == "00000000")
            return {};
        if (date.size() == 8 && date.find_first_not_of("0123456789") == std::string_view::npos)
            return std::string(date.substr(0, 4)) + '-' + std::string(date.substr(4, 2)) + '-' +
                   std::string(date.substr(6, 2));
        return decode({bytes.data() + (date.data() - raw.data()), date.size()});
    }
    default: { // N and F
        const std::string_view number = trimmed(raw);
        if (number.empty())
            return {};
        const std::string text =
            decode({bytes.data() + (number.data() - raw.data()), number.size()});
        return withDecimals(text, static_cast<std::uint32_t>(field.column.decimals));
    }
    }
}

} // namespace vorela
