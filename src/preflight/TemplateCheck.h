// One operator's template against the task's table: the items every record speaks alike are
// checked once, the items that read a column once per record.
#pragma once

#include "preflight/ItemCheck.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vorela {

class DbfTable;
struct DbfField;
class LexItem;

class TemplateCheck {
public:
    /// Plans the checks of items; table and lexemes must outlive this.
    TemplateCheck(const std::string &task, const std::string &operatorName,
                  const std::vector<PatternItem> &items, const DbfTable &table,
                  const LexItem &lexemes);

    /// Checks the items that speak the same for every record; false when one has a problem.
    [[nodiscard]] bool checkShared(ItemCheck &check) const;
    /// Checks the items that read a column of record number; false when one has a problem.
    [[nodiscard]] bool checkRecord(ItemCheck &check, std::span<const std::uint8_t> record,
                                   std::uint32_t number) const;

private:
    struct Plan {
        CheckedItem item;
        const DbfField *field = nullptr; // the column the binding names; null when none
    };

    [[nodiscard]] static bool checkSharedItem(ItemCheck &check, const Plan &plan);

    const DbfTable &table;
    CheckedItem templateItem; // names the whole template in a report
    bool greeting;
    std::vector<Plan> shared;
    std::vector<Plan> perRecord;
};

} // namespace vorela
