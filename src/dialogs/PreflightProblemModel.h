// The problem records of a check by table as a sortable table model: record, operator, item,
// column, value and problem, the record sorted as a number. Rows are read from the compact list
// and sorted as an order over it, so millions of them are never copied.
#pragma once

#include "preflight/PreflightProblemList.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vorela {

class PreflightProblemModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        RecordColumn,
        OperatorColumn,
        ItemColumn,
        BindingColumn,
        ValueColumn,
        ProblemColumn,
        ColumnCount
    };

    explicit PreflightProblemModel(QObject *parent = nullptr);

    /// Shows problems in place of the rows before, in the order of the last sort.
    void setProblems(PreflightProblemList problems);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    /// Stable, so rows equal in column keep the order of the sort before.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    [[nodiscard]] PreflightProblem problem(int row) const;
    /// The header line and the rows given (all when rows is empty), in the order given, as CSV.
    [[nodiscard]] std::string csvText(const std::vector<int> &rows) const;
    /// Every row, in the order shown, as a CSV file; false leaves an existing file as it was.
    [[nodiscard]] bool saveCsv(const std::filesystem::path &file) const;

private:
    void sortOrder();

    PreflightProblemList problems;
    std::vector<std::uint32_t> order; // row -> index in problems
    int sortColumn = RecordColumn;
    Qt::SortOrder sortDirection = Qt::AscendingOrder;
};

} // namespace vorela
