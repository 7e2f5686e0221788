// A tree whose context menu also opens from the keyboard.
#include "mainwindow/ContextMenuTreeWidget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

namespace vorela {

ContextMenuTreeWidget::ContextMenuTreeWidget(QWidget *parent) : QTreeWidget(parent)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
}

bool ContextMenuTreeWidget::event(QEvent *event)
{
    // Some platforms turn the Menu key into a context menu event at the mouse cursor.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        requestMenuAtCurrentItem();
        return true;
    }
    return QTreeWidget::event(event);
}

void ContextMenuTreeWidget::keyPressEvent(QKeyEvent *event)
{
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (shiftF10 || event->key() == Qt::Key_Menu) {
        requestMenuAtCurrentItem();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ContextMenuTreeWidget::requestMenuAtCurrentItem()
{
    QTreeWidgetItem *item = currentItem();
    if (item == nullptr)
        return;
    scrollToItem(item);
    // The menu's owner selects the item under the point: the item's own centre keeps it current.
    emit customContextMenuRequested(visualItemRect(item).center());
}

} // namespace vorela
