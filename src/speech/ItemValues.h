// What template items read, handed to the expansion from memory: one task-table record and the
// lexeme tables loaded once, so a whole table is expanded without a query per item.
#pragma once

#include <string>
#include <string_view>

namespace vorela {

class ItemValues {
public:
    virtual ~ItemValues() = default;
    /// What binding reads from the record; "" when it reads nothing, as a failed query gives.
    [[nodiscard]] virtual std::string fieldValue(std::string_view binding) const = 0;
    /// The chunk the lexeme table at tablePath speaks for value; "" when it has no such entry.
    [[nodiscard]] virtual std::string tableChunk(std::string_view tablePath,
                                                 std::string_view value) const = 0;
};

} // namespace vorela
