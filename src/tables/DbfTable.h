// Read-only access to one DBF table file (dBase III/IV, FoxPro, Visual FoxPro): its columns and its
// first live record, with the header checked against the file before anything is trusted.
#pragma once

#include "platform/BinaryFile.h"
#include "tables/TaskTableQuery.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorela {

struct DbfField {
    TableColumn column;
    char type = 'C';
    std::uint32_t offset = 0; // within the record, after the deletion flag
    std::uint32_t length = 0;
    std::optional<unsigned> nullBit; // bit in the hidden null flags column, when nullable
};

class DbfTable {
public:
    /// The first byte of a record marked deleted.
    static constexpr std::uint8_t DeletedMark = '*';

    enum class TextEncoding { Cp866, Cp1251 };

    /// Opens the file and checks its header; empty with a reason naming the file on failure.
    [[nodiscard]] static std::optional<DbfTable> open(const std::filesystem::path &file,
                                                      std::string &error);

    [[nodiscard]] const std::vector<DbfField> &fields() const { return visibleFields; }
    [[nodiscard]] std::uint32_t recordCount() const { return records; }
    [[nodiscard]] TextEncoding encoding() const { return textEncoding; }

    /// The first record not marked deleted, or empty when there is none. False with error when the
    /// file cannot be read to the end of the records its header promises.
    [[nodiscard]] bool firstLiveRecord(std::optional<std::vector<std::uint8_t>> &record,
                                       std::string &error) const;

    /// The field a column or '*' binding reads (names match in either case, Cyrillic too); null
    /// for a constant, an invalid binding or a name the table lacks.
    [[nodiscard]] const DbfField *boundField(const TableBinding &binding) const;

    enum class RecordState { Live, Deleted, Missing, Unreadable };
    /// The record numbered number (1-based, deleted records counted) into record when Live or
    /// Deleted; error says why for Missing and Unreadable.
    [[nodiscard]] RecordState readRecord(std::uint32_t number, std::vector<std::uint8_t> &record,
                                         std::string &error) const;

    /// The visible column named name (case-insensitive, Cyrillic too); null when there is none.
    [[nodiscard]] const DbfField *findField(std::string_view name) const;

    /// A field of a record as UTF-8 text: blank fields, nulls and unusable columns give "".
    [[nodiscard]] std::string fieldText(const DbfField &field,
                                        std::span<const std::uint8_t> record) const;

private:
    friend class DbfRecordCursor; // reads the records this table's header describes

    DbfTable() = default;
    [[nodiscard]] bool readHeader(std::string &error);
    [[nodiscard]] bool readFields(std::span<const std::uint8_t> header, bool visualFoxPro,
                                  std::string &error);
    [[nodiscard]] bool isNull(const DbfField &field, std::span<const std::uint8_t> record) const;
    [[nodiscard]] std::string decode(std::span<const std::uint8_t> bytes) const;

    std::filesystem::path path;
    BinaryFile file;
    std::uint64_t fileSize = 0;
    std::uint32_t records = 0;
    std::uint32_t headerLength = 0;
    std::uint32_t recordLength = 0;
    TextEncoding textEncoding = TextEncoding::Cp866;
    std::vector<DbfField> visibleFields;
    std::optional<DbfField> nullFlags;
};

} // namespace vorela
