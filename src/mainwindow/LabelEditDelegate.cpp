// Ends a tree label edit by reporting the new text.
#include "mainwindow/LabelEditDelegate.h"

#include "mainwindow/TreeItems.h"

#include <QLineEdit>

namespace vorela {

void LabelEditDelegate::setModelData(QWidget *editor, QAbstractItemModel *,
                                     const QModelIndex &index) const
{
    if (const auto *line = qobject_cast<QLineEdit *>(editor))
        emit labelEdited(index, line->text());
}

// The note is drawn, not stored in the text: a rename must start from the name alone.
void LabelEditDelegate::initStyleOption(QStyleOptionViewItem *option,
                                        const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = shownLabel(index);
}

} // namespace vorela
