// The problem records of a check by table as a sortable table model.
#include "dialogs/PreflightProblemModel.h"

#include "platform/qt/QtText.h"
#include "preflight/PreflightCsv.h"
#include "preflight/PreflightCsvFile.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace vorela {

static constexpr std::array<const char *, PreflightProblemModel::ColumnCount> ColumnTitles = {
    "Запись", "Оператор", "Лексема", "Столбец", "Значение", "Замечание"};
// A problem that every record shares stands for all of them.
static constexpr const char *EveryRecordText = "все";

static PreflightProblemList::Field fieldOf(int column)
{
    using Field = PreflightProblemList::Field;
    switch (column) {
    case PreflightProblemModel::OperatorColumn:
        return Field::OperatorName;
    case PreflightProblemModel::ItemColumn:
        return Field::Item;
    case PreflightProblemModel::BindingColumn:
        return Field::Column;
    case PreflightProblemModel::ValueColumn:
        return Field::Value;
    default:
        return Field::Reason;
    }
}

PreflightProblemModel::PreflightProblemModel(QObject *parent) : QAbstractTableModel(parent) {}

void PreflightProblemModel::setProblems(PreflightProblemList problemList)
{
    beginResetModel();
    problems = std::move(problemList);
    order.resize(problems.size());
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    sortOrder();
    endResetModel();
}

int PreflightProblemModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(order.size());
}

int PreflightProblemModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PreflightProblemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == RecordColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const std::size_t at = order[static_cast<std::size_t>(index.row())];
    if (index.column() != RecordColumn)
        return toQString(problems.field(at, fieldOf(index.column())));
    const std::uint32_t record = problems.record(at);
    return record == EveryRecord ? QString::fromUtf8(EveryRecordText) : QString::number(record);
}

QVariant PreflightProblemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(ColumnTitles[static_cast<std::size_t>(section)]);
}

// Stable over the order before, so rows equal in the column keep the order of the last sort.
void PreflightProblemModel::sortOrder()
{
    const int column = sortColumn;
    const auto less = [this, column](std::uint32_t left, std::uint32_t right) {
        if (column == RecordColumn)
            return problems.record(left) < problems.record(right);
        return problems.field(left, fieldOf(column)) < problems.field(right, fieldOf(column));
    };
    if (sortDirection == Qt::AscendingOrder)
        std::stable_sort(order.begin(), order.end(), less);
    else
        std::stable_sort(
            order.begin(), order.end(),
            [&less](std::uint32_t left, std::uint32_t right) { return less(right, left); });
}

void PreflightProblemModel::sort(int column, Qt::SortOrder direction)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<std::uint32_t> before = order;
    sortColumn = column;
    sortDirection = direction;
    sortOrder();
    // The selection and the current row follow their records.
    std::vector<int> rowOf(order.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        rowOf[order[row]] = static_cast<int>(row);
    const QModelIndexList persistentBefore = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &index : persistentBefore)
        after << this->index(rowOf[before[static_cast<std::size_t>(index.row())]], index.column());
    changePersistentIndexList(persistentBefore, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

PreflightProblem PreflightProblemModel::problem(int row) const
{
    return problems.problem(order.at(static_cast<std::size_t>(row)));
}

std::string PreflightProblemModel::csvText(const std::vector<int> &rows) const
{
    std::string text = preflightCsvHeader();
    if (rows.empty()) {
        for (const std::uint32_t at : order)
            text += preflightCsvRow(problems.problem(at));
        return text;
    }
    for (const int row : rows)
        text += preflightCsvRow(problem(row));
    return text;
}

bool PreflightProblemModel::saveCsv(const std::filesystem::path &file) const
{
    PreflightCsvFile csv(file);
    if (!csv.create())
        return false;
    for (const std::uint32_t at : order)
        csv.add(problems.problem(at));
    return csv.commit();
}

} // namespace vorela
