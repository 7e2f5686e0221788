// The task tree widget tv_1.
#include "mainwindow/TaskTreeWidget.h"

#include "mainwindow/TemplateDrop.h"
#include "mainwindow/TreeItems.h"
#include "trees/TreeRules.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QPainter>

namespace vorela {

// The cursor this close below the top edge scrolls the tree up while a drag rests there.
static constexpr int ScrollMargin = 11;

TaskTreeWidget::TaskTreeWidget(QWidget *parent) : ContextMenuTreeWidget(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setAutoScroll(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TaskTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F5) {
        emit refreshRequested();
        return;
    }
    ContextMenuTreeWidget::keyPressEvent(event);
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
    QTreeWidgetItem *target = itemAt(position);
    const bool accepted = drop != nullptr && drop->accepts(event->mimeData(), target);
    showDropTarget(accepted ? target : nullptr);
    if (accepted)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TaskTreeWidget::dragLeaveEvent(QDragLeaveEvent *)
{
    if (drop != nullptr)
        drop->resetExpansion();
    showDropTarget(nullptr);
    viewport()->update();
}

void TaskTreeWidget::dropEvent(QDropEvent *event)
{
    showDropTarget(nullptr);
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

void TaskTreeWidget::showDropTarget(QTreeWidgetItem *item)
{
    const QPersistentModelIndex index(item != nullptr ? indexFromItem(item) : QModelIndex());
    if (index == dropTarget)
        return;
    dropTarget = index;
    viewport()->update();
}

void TaskTreeWidget::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QTreeWidget::drawRow(painter, option, index);
    if (dropTarget != index)
        return;
    // Over the row, so that it shows on the selected row too; translucent, so the text stays.
    QColor colour = palette().color(QPalette::Highlight);
    painter->save();
    painter->setPen(colour);
    colour.setAlpha(60);
    painter->setBrush(colour);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace vorela
