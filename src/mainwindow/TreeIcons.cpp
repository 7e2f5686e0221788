// The 16 x 16 images of the two trees, drawn with simple shapes so they stay sharp at that size.
#include "mainwindow/TreeIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vorela {

namespace {

const QColor Outline(70, 70, 70);
const QColor FolderYellow(246, 204, 92);
const QColor FolderShade(222, 170, 50);
const QColor BranchBlue(110, 150, 215);
const QColor BranchShade(70, 110, 185);
const QColor FunctionPurple(130, 70, 170);
const QColor CoinGold(240, 190, 40);
const QColor CoinRim(170, 120, 10);
const QColor TableGreen(60, 150, 80);
const QColor WaveBlue(40, 100, 200);

QPixmap blank()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawFolder(QPainter &p, bool open, const QColor &body, const QColor &shade)
{
    p.setPen(QPen(shade.darker(140), 1));
    p.setBrush(shade);
    p.drawRect(QRectF(1.5, 3.5, 5, 2));  // tab
    p.drawRect(QRectF(1.5, 4.5, 13, 9)); // back
    p.setBrush(body);
    if (!open) {
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
        return;
    }
    const QPolygonF front(
        {QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
    p.drawPolygon(front);
}

void drawPage(QPainter &p, const QRectF &page)
{
    p.setPen(QPen(Outline, 1));
    p.setBrush(Qt::white);
    p.drawRect(page);
}

void drawWave(QPainter &p, const QRectF &area)
{
    static const double heights[] = {0.3, 0.7, 1.0, 0.5, 0.8, 0.35};
    p.setPen(QPen(WaveBlue, 1.2, Qt::SolidLine, Qt::RoundCap));
    const double step = area.width() / 6;
    for (int i = 0; i < 6; ++i) {
        const double x = area.left() + step * (i + 0.5);
        const double half = area.height() / 2 * heights[i];
        p.drawLine(QPointF(x, area.center().y() - half), QPointF(x, area.center().y() + half));
    }
}

// A bold italic f, drawn as strokes so it needs no font.
void drawFunctionMark(QPainter &p, const QRectF &box)
{
    p.setPen(QPen(FunctionPurple.darker(130), 1));
    p.setBrush(FunctionPurple);
    p.drawRoundedRect(box, 2, 2);
    QPainterPath f;
    const double l = box.left(), t = box.top(), w = box.width(), h = box.height();
    f.moveTo(l + w * 0.78, t + h * 0.22);
    f.cubicTo(l + w * 0.55, t + h * 0.08, l + w * 0.45, t + h * 0.25, l + w * 0.45, t + h * 0.45);
    f.lineTo(l + w * 0.38, t + h * 0.85);
    f.moveTo(l + w * 0.25, t + h * 0.45);
    f.lineTo(l + w * 0.70, t + h * 0.45);
    p.setPen(QPen(Qt::white, w > 10 ? 1.6 : 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(f);
}

void drawCoin(QPainter &p, const QRectF &box)
{
    p.setPen(QPen(CoinRim, 1));
    p.setBrush(CoinGold);
    p.drawEllipse(box);
    p.setPen(QPen(CoinRim, 1.1));
    const QRectF inner = box.adjusted(box.width() * 0.3, box.height() * 0.3, -box.width() * 0.3,
                                      -box.height() * 0.3);
    p.drawEllipse(inner);
}

void drawGrid(QPainter &p, const QRectF &box)
{
    p.setPen(QPen(TableGreen.darker(140), 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setBrush(TableGreen);
    p.drawRect(QRectF(box.left(), box.top(), box.width(), box.height() / 3));
    p.setPen(QPen(TableGreen.darker(120), 1));
    const double third = box.height() / 3;
    p.drawLine(QPointF(box.left(), box.top() + 2 * third),
               QPointF(box.right(), box.top() + 2 * third));
    p.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
}

void drawFolderWithBadge(QPainter &p, bool open, TreeIcon badge)
{
    drawFolder(p, open, FolderYellow, FolderShade);
    const QRectF corner(7.5, 7.5, 8, 8);
    if (badge == TreeIcon::Function)
        drawFunctionMark(p, corner);
    else if (badge == TreeIcon::Currency)
        drawCoin(p, corner);
    else if (badge == TreeIcon::Table)
        drawGrid(p, corner.adjusted(0, 1, 0, -1));
}

void drawSpecialRoot(QPainter &p)
{
    // A shelf of three books: the whole library of phrase sources.
    const QColor colours[] = {QColor(200, 60, 60), QColor(60, 120, 200), TableGreen};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(colours[i].darker(150), 1));
        p.setBrush(colours[i]);
        p.drawRect(QRectF(1.5 + i * 4.5, 2.5 + (i == 1 ? 1 : 0), 3.5, 11.0 - (i == 1 ? 1 : 0)));
    }
    p.setPen(QPen(Outline, 1));
    p.drawLine(QPointF(0.5, 14.5), QPointF(15.5, 14.5));
}

void drawSpecialNode(QPainter &p)
{
    const QPolygonF diamond({QPointF(8, 1.5), QPointF(14.5, 8), QPointF(8, 14.5), QPointF(1.5, 8)});
    p.setPen(QPen(QColor(170, 70, 20), 1));
    p.setBrush(QColor(240, 130, 50));
    p.drawPolygon(diamond);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 4.5), QPointF(8, 9));
    p.drawPoint(QPointF(8, 11.5));
}

void paint(QPainter &p, TreeIcon icon)
{
    switch (icon) {
    case TreeIcon::SpecialRoot:
        return drawSpecialRoot(p);
    case TreeIcon::FunctionFolderOpen:
    case TreeIcon::FunctionFolder:
        return drawFolderWithBadge(p, icon == TreeIcon::FunctionFolderOpen, TreeIcon::Function);
    case TreeIcon::Function:
        return drawFunctionMark(p, QRectF(1.5, 1.5, 13, 13));
    case TreeIcon::CurrencyFolderOpen:
    case TreeIcon::CurrencyFolder:
        return drawFolderWithBadge(p, icon == TreeIcon::CurrencyFolderOpen, TreeIcon::Currency);
    case TreeIcon::Currency:
        return drawCoin(p, QRectF(1.5, 1.5, 13, 13));
    case TreeIcon::FolderOpen:
    case TreeIcon::Folder:
        return drawFolder(p, icon == TreeIcon::FolderOpen, FolderYellow, FolderShade);
    case TreeIcon::Lexeme:
        drawPage(p, QRectF(2.5, 1.5, 11, 13));
        return drawWave(p, QRectF(3.5, 3.5, 9, 9));
    case TreeIcon::TableFolderOpen:
    case TreeIcon::TableFolder:
        return drawFolderWithBadge(p, icon == TreeIcon::TableFolderOpen, TreeIcon::Table);
    case TreeIcon::Table:
        return drawGrid(p, QRectF(1.5, 2.5, 13, 11));
    case TreeIcon::SpecialNode:
        return drawSpecialNode(p);
    case TreeIcon::BranchClosed:
    case TreeIcon::BranchOpen:
        return drawFolder(p, icon == TreeIcon::BranchOpen, BranchBlue, BranchShade);
    case TreeIcon::Document:
        return drawPage(p, QRectF(2.5, 1.5, 11, 13));
    }
}

} // namespace

QIcon treeIcon(TreeIcon icon)
{
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, icon);
    painter.end();
    return QIcon(pixmap);
}

QList<QIcon> sourceImageList()
{
    using enum TreeIcon;
    QList<QIcon> list;
    for (TreeIcon icon : {SpecialRoot, FunctionFolderOpen, Function, FunctionFolder,
                          CurrencyFolderOpen, Currency, CurrencyFolder, FolderOpen, Lexeme, Folder,
                          TableFolderOpen, Table, TableFolder, SpecialNode})
        list.append(treeIcon(icon));
    return list;
}

QList<QIcon> taskImageList()
{
    using enum TreeIcon;
    QList<QIcon> list;
    for (TreeIcon icon :
         {BranchClosed, BranchOpen, Document, Function, Currency, Lexeme, Table, SpecialNode})
        list.append(treeIcon(icon));
    return list;
}

} // namespace vorela
