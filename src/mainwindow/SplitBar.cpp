// The split bar vsplit_1 between the two trees.
#include "mainwindow/SplitBar.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorela {

SplitBar::SplitBar(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::SplitHCursor);
}

void SplitBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window().color().darker(115));
}

void SplitBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging = true;
    grabOffset = event->position().toPoint().x();
}

void SplitBar::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging)
        return;
    emit dragged(mapToParent(event->position().toPoint()).x() - grabOffset);
}

void SplitBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragging = false;
}

} // namespace vorela
