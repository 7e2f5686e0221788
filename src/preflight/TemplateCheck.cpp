// A binding that reads no column of the table (a constant, a missing or unreadable column, none)
// gives every record the same speech, so it is checked and reported once, not once per record.
#include "preflight/TemplateCheck.h"

#include "speech/TemplateExpansion.h"
#include "tables/DbfTable.h"
#include "tables/TaskTableQuery.h"
#include "trees/TreeRules.h"

namespace vorela {

static constexpr std::string_view NoColumnReason = "в таблице задания нет столбца «";
static constexpr std::string_view UnreadableColumnHead = "столбец «";
static constexpr std::string_view UnreadableColumnTail = "» такого типа не читается";
static constexpr std::string_view NoBindingReason =
    "значение не привязано ни к столбцу, ни к константе";
static constexpr std::string_view NoGreetingReason =
    "в шаблоне нет приветствия, без него шаблон не произносится";

TemplateCheck::TemplateCheck(const std::string &task, const std::string &operatorName,
                             const std::vector<PatternItem> &items, const DbfTable &dbfTable,
                             const LexItem &lexemes)
    : table(dbfTable), templateItem{task, operatorName, {}, {}, std::nullopt},
      greeting(holdsGreeting(items))
{
    for (const PatternItem &item : items) {
        const std::optional<ItemBinding> binding = bindingChoice(item.chunk);
        Plan plan{{task, operatorName, item, templateItemText(lexemes, item),
                   binding ? std::optional(binding->mode) : std::nullopt},
                  nullptr};
        if (SpeechComposer::readsTableValue(item))
            plan.field = table.boundField(classifyBinding(item.arg));
        const bool readEachRecord = plan.field != nullptr && plan.field->column.usable();
        (readEachRecord ? perRecord : shared).push_back(std::move(plan));
    }
}

bool TemplateCheck::checkShared(ItemCheck &check) const
{
    bool whole = greeting;
    if (!greeting)
        check.report(templateItem, ProblemKind::NoGreeting, EveryRecord, {},
                     std::string(NoGreetingReason));
    for (const Plan &plan : shared)
        whole = checkSharedItem(check, plan) && whole;
    return whole;
}

bool TemplateCheck::checkSharedItem(ItemCheck &check, const Plan &plan)
{
    const PatternItem &item = plan.item.item;
    if (!SpeechComposer::readsTableValue(item))
        return check.check(plan.item, {}, EveryRecord);
    const TableBinding binding = classifyBinding(item.arg);
    if (binding.kind == TableBinding::Kind::Constant)
        return check.check(plan.item, binding.text, EveryRecord);
    if (plan.field != nullptr) {
        check.report(plan.item, ProblemKind::UnreadableColumn, EveryRecord, {},
                     std::string(UnreadableColumnHead) + plan.field->column.name +
                         std::string(UnreadableColumnTail));
        return false;
    }
    // The application reads nothing through such a binding and speaks the empty value.
    const std::string reason = binding.kind == TableBinding::Kind::Column
                                   ? std::string(NoColumnReason) + binding.text + "»"
                                   : std::string(NoBindingReason);
    check.report(plan.item, ProblemKind::MissingColumn, EveryRecord, {}, reason);
    return false;
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
