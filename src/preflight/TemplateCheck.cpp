// A binding that reads no column of the table (a constant, a missing column, none) gives every
// record the same speech, so it is checked and reported once, not once per record.
#include "preflight/TemplateCheck.h"

#include "platform/DbfTable.h"
#include "platform/TaskTableQuery.h"
#include "speech/TemplateExpansion.h"

namespace vorela {

static constexpr std::string_view NoColumnReason = "в таблице задания нет столбца «";
static constexpr std::string_view NoBindingReason =
    "значение не привязано ни к столбцу, ни к константе";

TemplateCheck::TemplateCheck(const std::string &task, const std::string &operatorName,
                             const std::vector<PatternItem> &items, const DbfTable &dbfTable,
                             const LexItem &lexemes)
    : table(dbfTable)
{
    for (const PatternItem &item : items) {
        Plan plan{{task, operatorName, item, templateItemText(lexemes, item)}, nullptr};
        if (SpeechComposer::readsTableValue(item))
            plan.field = table.boundField(classifyBinding(item.arg));
        (plan.field == nullptr ? shared : perRecord).push_back(std::move(plan));
    }
}

bool TemplateCheck::checkShared(ItemCheck &check) const
{
    bool whole = true;
    for (const Plan &plan : shared) {
        const PatternItem &item = plan.item.item;
        if (!SpeechComposer::readsTableValue(item)) {
            whole = check.check(plan.item, {}, EveryRecord) && whole;
            continue;
        }
        const TableBinding binding = classifyBinding(item.arg);
        if (binding.kind == TableBinding::Kind::Constant) {
            whole = check.check(plan.item, binding.text, EveryRecord) && whole;
            continue;
        }
        // The application reads nothing through such a binding and speaks the empty value.
        const std::string reason = binding.kind == TableBinding::Kind::Column
                                       ? std::string(NoColumnReason) + binding.text + "»"
                                       : std::string(NoBindingReason);
        check.report(plan.item, ProblemKind::MissingColumn, EveryRecord, {}, reason);
        whole = false;
    }
    return whole;
}

bool TemplateCheck::checkRecord(ItemCheck &check, std::span<const std::uint8_t> record,
                                std::uint32_t number) const
{
    bool whole = true;
    for (const Plan &plan : perRecord)
        whole = check.check(plan.item, table.fieldText(*plan.field, record), number) && whole;
    return whole;
}

} // namespace vorela
