// Gain button pictures and their mouse handling.
#include "soundeditor/window/GainButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace vorela {

static constexpr int PictureSize = 20;

static QPixmap arrowPicture(bool up, bool pressedLook, bool enabled)
{
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(pressedLook ? QColor(170, 170, 170) : QColor(212, 208, 200));
    QPainter painter(&pixmap);
    painter.setPen(pressedLook ? Qt::black : Qt::white);
    painter.drawLine(0, 0, PictureSize - 1, 0);
    painter.drawLine(0, 0, 0, PictureSize - 1);
    painter.setPen(pressedLook ? Qt::white : Qt::black);
    painter.drawLine(PictureSize - 1, 0, PictureSize - 1, PictureSize - 1);
    painter.drawLine(0, PictureSize - 1, PictureSize - 1, PictureSize - 1);
    const int shift = pressedLook ? 1 : 0;
    QPolygon arrow;
    if (up)
        arrow << QPoint(10 + shift, 4 + shift) << QPoint(4 + shift, 14 + shift)
              << QPoint(16 + shift, 14 + shift);
    else
        arrow << QPoint(10 + shift, 15 + shift) << QPoint(4 + shift, 5 + shift)
              << QPoint(16 + shift, 5 + shift);
    painter.setPen(Qt::NoPen);
    painter.setBrush(enabled ? QColor(0, 128, 0) : QColor(150, 150, 150));
    painter.drawPolygon(arrow);
    return pixmap;
}

GainButton::GainButton(bool up, QWidget *parent)
    : QLabel(parent), released(arrowPicture(up, false, true)),
      pressed(arrowPicture(up, true, true)), disabled(arrowPicture(up, false, false))
{
    setFixedSize(PictureSize, PictureSize);
    showLook(false);
}

void GainButton::setActive(bool enabled)
{
    active = enabled;
    showLook(held && active);
}

void GainButton::releaseHold()
{
    held = false;
    showLook(false);
}

void GainButton::showLook(bool pressedLook)
{
    setPixmap(!active ? disabled : pressedLook ? pressed : released);
}

void GainButton::mousePressEvent(QMouseEvent *)
{
    if (!active)
        return;
    held = true;
    showLook(true);
    emit pressedDown();
}

void GainButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!held)
        return;
    const QPoint at = event->position().toPoint();
    const bool inside = at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() <= height();
    showLook(inside);
    emit pointerInside(inside);
}

void GainButton::mouseReleaseEvent(QMouseEvent *)
{
    if (!held)
        return;
    held = false;
    showLook(false);
    emit releasedUp();
}

} // namespace vorela
