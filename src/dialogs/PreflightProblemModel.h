// The problem records of a check by table as a sortable table model: record, operator, item,
// column, value and problem, the record sorted as a number.
#pragma once

#include "preflight/PreflightProblem.h"

#include <QAbstractTableModel>

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

    explicit PreflightProblemModel(std::vector<PreflightProblem> problems,
                                   QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    /// Stable, so rows equal in column keep the order of the sort before.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    [[nodiscard]] const PreflightProblem &problem(int row) const;
    /// The header line and the rows given (all when rows is empty), in the order given, as CSV.
    [[nodiscard]] std::string csvText(const std::vector<int> &rows) const;

private:
    std::vector<PreflightProblem> problems;
};

} // namespace vorela
