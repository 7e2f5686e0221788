// The source tree widget tv_2.
#include "mainwindow/SourceTreeWidget.h"

#include "mainwindow/TemplateDrop.h"
#include "mainwindow/TreeItems.h"

#include <QDrag>
#include <QKeyEvent>

namespace vorela {

SourceTreeWidget::SourceTreeWidget(QWidget *parent) : ContextMenuTreeWidget(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void SourceTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F2 && currentItem() != nullptr) {
        emit renameRequested(currentItem());
        return;
    }
    ContextMenuTreeWidget::keyPressEvent(event);
}

void SourceTreeWidget::startDrag(Qt::DropActions)
{
    const LexItem *node = itemNode(currentItem());
    if (node == nullptr)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(TemplateDrop::sourceMimeData(*node));
    if (!currentItem()->icon(0).isNull())
        drag->setPixmap(currentItem()->icon(0).pixmap(16, 16));
    drag->exec(Qt::CopyAction);
}

} // namespace vorela
