// The problem records of a check by table as a sortable table model.
#include "dialogs/PreflightProblemModel.h"

#include "platform/qt/QtText.h"
#include "preflight/PreflightCsv.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace vorela {

static constexpr std::array<const char *, PreflightProblemModel::ColumnCount> ColumnTitles = {
    "Запись", "Оператор", "Лексема", "Столбец", "Значение", "Замечание"};
// A problem that every record shares stands for all of them.
static constexpr const char *EveryRecordText = "все";

static const std::string &textOf(const PreflightProblem &problem, int column)
{
    switch (column) {
    case PreflightProblemModel::OperatorColumn:
        return problem.operatorName;
    case PreflightProblemModel::ItemColumn:
        return problem.item;
    case PreflightProblemModel::BindingColumn:
        return problem.column;
    case PreflightProblemModel::ValueColumn:
        return problem.value;
    default:
        return problem.reason;
    }
}

PreflightProblemModel::PreflightProblemModel(std::vector<PreflightProblem> problemList,
                                             QObject *parent)
    : QAbstractTableModel(parent), problems(std::move(problemList))
{
}

int PreflightProblemModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(problems.size());
}

int PreflightProblemModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PreflightProblemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const PreflightProblem &row = problem(index.row());
    if (role == Qt::TextAlignmentRole && index.column() == RecordColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (index.column() != RecordColumn)
        return toQString(textOf(row, index.column()));
    return row.record == EveryRecord ? QString::fromUtf8(EveryRecordText)
                                     : QString::number(row.record);
}

QVariant PreflightProblemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(ColumnTitles[static_cast<std::size_t>(section)]);
}

void PreflightProblemModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    const auto less = [this, column](std::size_t left, std::size_t right) {
        const PreflightProblem &first = problems[left];
        const PreflightProblem &second = problems[right];
        if (column == RecordColumn)
            return first.record < second.record;
        return textOf(first, column) < textOf(second, column);
    };
    std::vector<std::size_t> sorted(problems.size());
    std::iota(sorted.begin(), sorted.end(), std::size_t{0});
    if (order == Qt::AscendingOrder)
        std::stable_sort(sorted.begin(), sorted.end(), less);
    else
        std::stable_sort(
            sorted.begin(), sorted.end(),
            [&less](std::size_t left, std::size_t right) { return less(right, left); });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<PreflightProblem> reordered;
    reordered.reserve(problems.size());
    std::vector<int> newRow(problems.size());
    for (std::size_t row = 0; row < sorted.size(); ++row) {
        reordered.push_back(std::move(problems[sorted[row]]));
        newRow[sorted[row]] = static_cast<int>(row);
    }
    problems = std::move(reordered);
    // The selection and the current row follow their records.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &index : before)
        after << this->index(newRow[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const PreflightProblem &PreflightProblemModel::problem(int row) const
{
    return problems.at(static_cast<std::size_t>(row));
}

std::string PreflightProblemModel::csvText(const std::vector<int> &rows) const
{
    std::string text = preflightCsvHeader();
    if (rows.empty()) {
        for (const PreflightProblem &row : problems)
            text += preflightCsvRow(row);
        return text;
    }
    for (const int row : rows)
        text += preflightCsvRow(problem(row));
    return text;
}

} // namespace vorela
