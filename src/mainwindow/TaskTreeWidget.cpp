// The task tree widget tv_1.
#include "mainwindow/TaskTreeWidget.h"

#include "mainwindow/TemplateDrop.h"
#include "mainwindow/TreeItems.h"
#include "trees/TreeRules.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>

namespace vorela {

// The cursor this close below the top edge scrolls the tree up while a drag rests there.
static constexpr int ScrollMargin = 11;

TaskTreeWidget::TaskTreeWidget(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setAutoScroll(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void TaskTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F5) {
        emit refreshRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void TaskTreeWidget::startDrag(Qt::DropActions)
{
    QTreeWidgetItem *item = currentItem();
    if (item == nullptr || itemDepth(item) != ItemDepth)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(TemplateDrop::moveMimeData(*item, viewport()->mapFromGlobal(QCursor::pos())));
    drag->exec(Qt::MoveAction);
}

void TaskTreeWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (!TemplateDrop::isOurs(event->mimeData())) {
        event->ignore();
        return;
    }
    setFocus();
    if (drop != nullptr)
        drop->resetExpansion();
    event->acceptProposedAction();
}

void TaskTreeWidget::dragMoveEvent(QDragMoveEvent *event)
{
    const QPoint position = event->position().toPoint();
    scrollNearTop(position);
    if (drop != nullptr && drop->accepts(event->mimeData(), itemAt(position)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TaskTreeWidget::dragLeaveEvent(QDragLeaveEvent *)
{
    if (drop != nullptr)
        drop->resetExpansion();
    viewport()->update();
}

void TaskTreeWidget::dropEvent(QDropEvent *event)
{
    if (drop == nullptr) {
        event->ignore();
        return;
    }
    const QPoint position = event->position().toPoint();
    if (drop->dropOn(event->mimeData(), itemAt(position), position))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TaskTreeWidget::scrollNearTop(const QPoint &position)
{
    if (position.y() >= ScrollMargin)
        return;
    QTreeWidgetItem *above = currentItem() != nullptr ? itemAbove(currentItem()) : nullptr;
    if (above == nullptr)
        return;
    setCurrentItem(above);
    scrollToItem(above);
    viewport()->update();
}

} // namespace vorela
