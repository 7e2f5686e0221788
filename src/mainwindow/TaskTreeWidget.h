// The task tree widget tv_1: accepts drops of lexemes and moves of template items through its
// TemplateDrop, highlights the item a drop would go to, scrolls while the cursor rests near its
// top edge, and turns F5 into a refresh.
#pragma once

#include "mainwindow/ContextMenuTreeWidget.h"

#include <QPersistentModelIndex>

namespace vorela {

class TemplateDrop;

class TaskTreeWidget : public ContextMenuTreeWidget {
    Q_OBJECT

public:
    explicit TaskTreeWidget(QWidget *parent = nullptr);

    /// The drop rules; must outlive the widget's drags.
    void setDropHandler(TemplateDrop *handler) { drop = handler; }

signals:
    void refreshRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;

private:
    void scrollNearTop(const QPoint &position);
    /// Highlights item as the drop's target; null clears the highlight.
    void showDropTarget(QTreeWidgetItem *item);

    TemplateDrop *drop = nullptr;
    QPersistentModelIndex dropTarget;
};

} // namespace vorela
