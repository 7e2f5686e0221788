// Ends a tree label edit by reporting the new text.
#include "mainwindow/LabelEditDelegate.h"

#include <QLineEdit>

namespace vorela {

void LabelEditDelegate::setModelData(QWidget *editor, QAbstractItemModel *,
                                     const QModelIndex &index) const
{
    if (const auto *line = qobject_cast<QLineEdit *>(editor))
        emit labelEdited(index, line->text());
}

} // namespace vorela
