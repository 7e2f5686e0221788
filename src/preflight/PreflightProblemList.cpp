// The compact list of a check's problems.
#include "preflight/PreflightProblemList.h"

namespace vorela {

// The fields joined by a byte no name or binding holds.
static std::string sourceKey(const PreflightProblem &problem)
{
    std::string key;
    for (const std::string *part :
         {&problem.task, &problem.operatorName, &problem.itemName, &problem.item, &problem.column})
        key.append(*part).push_back('\0');
    return key;
}

std::uint32_t PreflightProblemList::sourceOf(const PreflightProblem &problem)
{
    const auto [found, added] =
        sourceIds.try_emplace(sourceKey(problem), static_cast<std::uint32_t>(sources.size()));
    if (added)
        sources.push_back(
            {problem.task, problem.operatorName, problem.itemName, problem.item, problem.column});
    return found->second;
}

void PreflightProblemList::add(const PreflightProblem &problem)
{
    rows.push_back({text.size(), problem.record, sourceOf(problem),
                    static_cast<std::uint32_t>(problem.value.size()),
                    static_cast<std::uint32_t>(problem.reason.size()), problem.kind});
    text.append(problem.value).append(problem.reason);
}

std::string_view PreflightProblemList::field(std::size_t index, Field field) const
{
    const Row &row = rows[index];
    const Source &source = sources[row.source];
    switch (field) {
    case Field::Task:
        return source.task;
    case Field::OperatorName:
        return source.operatorName;
    case Field::ItemName:
        return source.itemName;
    case Field::Item:
        return source.item;
    case Field::Column:
        return source.column;
    case Field::Value:
        return std::string_view(text).substr(row.textStart, row.valueLength);
    case Field::Reason:
        break;
    }
    return std::string_view(text).substr(row.textStart + row.valueLength, row.reasonLength);
}

PreflightProblem PreflightProblemList::problem(std::size_t index) const
{
    const auto copy = [this, index](Field part) { return std::string(field(index, part)); };
    return {rows[index].kind,          rows[index].record,    copy(Field::Task),
            copy(Field::OperatorName), copy(Field::ItemName), copy(Field::Item),
            copy(Field::Column),       copy(Field::Value),    copy(Field::Reason)};
}

} // namespace vorela
