// Ends a tree label edit by reporting the new text instead of writing it, so the store is
// changed first and the item only when that succeeded; shows each item's note after its text.
#pragma once

#include <QStyledItemDelegate>

namespace vorela {

class LabelEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

signals:
    void labelEdited(const QModelIndex &index, const QString &text) const;
};

} // namespace vorela
