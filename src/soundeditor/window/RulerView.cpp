// Ruler ticks and labels from the pure ruler layout.
#include "soundeditor/window/RulerView.h"

#include "soundeditor/Waveform.h"

#include <QPainter>

#include <algorithm>

namespace vorela {

RulerView::RulerView(QWidget *parent) : QWidget(parent) {}

void RulerView::setRuler(const RulerLayout &ruler)
{
    const int width = std::max(1, this->width());
    image = QImage(width, std::max(1, height()), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const int x : ruler.majorTicks)
        painter.drawLine(2 + x, 0, 2 + x, 6);
    for (const int x : ruler.minorTicks)
        painter.drawLine(x, 0, x, 3);
    for (const RulerLabel &label : ruler.labels)
        painter.drawText(QPoint(label.x, 6 + 10), QString::fromStdString(label.text));
    painter.drawLine(ruler.finalTick, 0, ruler.finalTick, 6);
    update();
}

void RulerView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

} // namespace vorela
