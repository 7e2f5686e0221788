// The compact list of a check's problems gives back each problem as it was added, also where
// problems share all but one of the fields it stores once per template item.
#include "preflight/PreflightProblemList.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vorela {
namespace {

auto fieldsOf(const PreflightProblem &problem)
{
    return std::tie(problem.kind, problem.record, problem.task, problem.operatorName,
                    problem.itemName, problem.item, problem.column, problem.value, problem.reason);
}

TEST(PreflightProblemListTest, GivesBackEveryProblemAsAdded)
{
    const PreflightProblem first{
        ProblemKind::EmptyValue, 7, "Задание", "Оп", "0001", "Сумма(SUMMA)", "SUMMA", "",
        "пустое значение"};
    std::vector<PreflightProblem> added;
    // Each differs from the first in one field, so none may share the first's stored item.
    for (int field = 0; field < 6; ++field) {
        PreflightProblem problem = first;
        std::string *const parts[] = {&problem.task, &problem.operatorName, &problem.itemName,
                                      &problem.item, &problem.column,       &problem.value};
        parts[field]->append("2");
        problem.record = static_cast<std::uint32_t>(field);
        added.push_back(first);
        added.push_back(problem);
    }
    added.push_back({ProblemKind::TableKeyMissing, EveryRecord, "", "", "", "", "", "a,\"b\"",
                     "в таблице лексем нет ключа «a,\"b\"»"});
    PreflightProblemList list;
    for (const PreflightProblem &problem : added)
        list.add(problem);
    ASSERT_EQ(list.size(), added.size());
    for (std::size_t index = 0; index < added.size(); ++index) {
        EXPECT_EQ(fieldsOf(list.problem(index)), fieldsOf(added[index])) << index;
        EXPECT_EQ(list.field(index, PreflightProblemList::Field::Reason), added[index].reason);
    }
}

} // namespace
} // namespace vorela
