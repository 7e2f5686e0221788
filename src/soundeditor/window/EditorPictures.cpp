// Button pictures drawn in code, so the editor needs no image files.
#include "soundeditor/window/EditorPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>

namespace vorela {

static QPixmap transportPicture(EditorPicture picture)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    switch (picture) {
    case EditorPicture::Record:
        painter.setBrush(QColor(200, 0, 0));
        painter.drawEllipse(QRect(3, 3, 10, 10));
        break;
    case EditorPicture::Play:
        painter.setBrush(QColor(0, 120, 0));
        painter.drawPolygon(QPolygon({QPoint(4, 2), QPoint(13, 8), QPoint(4, 14)}));
        break;
    default:
        painter.setBrush(QColor(0, 0, 0));
        painter.drawRect(QRect(4, 4, 9, 9));
        break;
    }
    return pixmap;
}

static void drawScissors(QPainter &painter)
{
    painter.drawEllipse(QRect(5, 9, 5, 5));
    painter.drawEllipse(QRect(15, 9, 5, 5));
    painter.drawLine(9, 10, 17, 2);
    painter.drawLine(16, 10, 8, 2);
}

static void drawCrop(QPainter &painter)
{
    painter.drawLine(7, 1, 7, 13);
    painter.drawLine(3, 13, 20, 13);
    painter.drawLine(19, 16, 19, 4);
    painter.drawLine(23, 4, 6, 4);
}

static void drawTurn(QPainter &painter, bool back)
{
    QPainterPath path;
    path.moveTo(back ? 19 : 7, 13);
    path.cubicTo(back ? 22 : 4, 4, back ? 10 : 16, 2, back ? 7 : 19, 7);
    painter.drawPath(path);
    const int tip = back ? 7 : 19;
    const int side = back ? 1 : -1;
    painter.drawLine(tip, 7, tip + 4 * side, 6);
    painter.drawLine(tip, 7, tip + side, 3);
}

static void drawDisk(QPainter &painter)
{
    painter.drawRect(QRect(7, 1, 12, 14));
    painter.drawRect(QRect(9, 1, 8, 5));
    painter.drawRect(QRect(9, 9, 8, 6));
}

// A short wave between two brackets pushed inward: the silence at both ends goes.
static void drawTrim(QPainter &painter)
{
    painter.drawLine(3, 8, 8, 8);
    painter.drawLine(18, 8, 23, 8);
    painter.drawLine(9, 2, 9, 14);
    painter.drawLine(17, 2, 17, 14);
    QPainterPath wave;
    wave.moveTo(10, 8);
    wave.cubicTo(11, 1, 12, 1, 13, 8);
    wave.cubicTo(14, 15, 15, 15, 16, 8);
    painter.drawPath(wave);
}

// Bars of unequal height brought to one line.
static void drawLevel(QPainter &painter)
{
    const int heights[] = {4, 11, 7, 13, 5};
    for (int i = 0; i < 5; ++i)
        painter.drawLine(5 + 4 * i, 15, 5 + 4 * i, 15 - heights[i]);
    painter.drawLine(2, 6, 24, 6);
}

static void drawMagnifier(QPainter &painter, EditorPicture picture)
{
    painter.drawEllipse(QRect(7, 1, 10, 10));
    painter.drawLine(16, 10, 21, 15);
    if (picture == EditorPicture::Fit) {
        painter.drawLine(2, 6, 5, 6);
        painter.drawLine(19, 6, 24, 6);
        return;
    }
    painter.drawLine(9, 6, 15, 6);
    if (picture == EditorPicture::ZoomIn)
        painter.drawLine(12, 3, 12, 9);
}

static QPixmap toolbarPicture(EditorPicture picture)
{
    QPixmap pixmap(26, 17);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 1.5));
    switch (picture) {
    case EditorPicture::Cut:
        drawScissors(painter);
        break;
    case EditorPicture::Crop:
        drawCrop(painter);
        break;
    case EditorPicture::Undo:
    case EditorPicture::Redo:
        drawTurn(painter, picture == EditorPicture::Undo);
        break;
    case EditorPicture::TrimSilence:
        drawTrim(painter);
        break;
    case EditorPicture::LevelLoudness:
        drawLevel(painter);
        break;
    case EditorPicture::ZoomIn:
    case EditorPicture::ZoomOut:
    case EditorPicture::Fit:
        drawMagnifier(painter, picture);
        break;
    default:
        drawDisk(painter);
        break;
    }
    return pixmap;
}

QIcon editorPicture(EditorPicture picture)
{
    switch (picture) {
    case EditorPicture::Record:
    case EditorPicture::Play:
    case EditorPicture::Stop:
        return QIcon(transportPicture(picture));
    default:
        return QIcon(toolbarPicture(picture));
    }
}

} // namespace vorela
