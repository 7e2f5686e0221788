// Waveform area: one redraw per change of the sound; the overlays never touch the image.
#include "soundeditor/window/WaveformView.h"

#include "soundeditor/RecordingMonitor.h"
#include "soundeditor/Waveform.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace vorela {

static const QColor BackgroundColor(0, 0, 0);
static const QColor GridColor(0, 96, 0);
static const QColor WaveColor(0, 255, 0);
static const QColor ScaleColor(255, 255, 0);
static const QColor CaptionColor(0, 255, 255);

static QFont smallFont()
{
    QFont font;
    font.setPixelSize(9);
    return font;
}

WaveformView::WaveformView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WaveformView::setSound(std::span<const std::int16_t> samples, std::uint32_t soundSize,
                            std::vector<int> gridColumns)
{
    sound = samples;
    wholeSize = soundSize;
    grid = std::move(gridColumns);
    growing = false;
    redraw();
}

void WaveformView::setWholeSound(std::span<const std::int16_t> samples)
{
    const auto soundSize = static_cast<std::uint32_t>(samples.size() * 2);
    const int viewWidth = std::max(1, width());
    setSound(samples, soundSize, rulerLayout(soundSize, viewWidth, viewWidth).majorTicks);
}

void WaveformView::setGrowingTake(std::span<const std::int16_t> soFar)
{
    const int viewWidth = std::max(1, width());
    const std::size_t span = growingSpanSamples(soFar.size());
    sound = soFar;
    wholeSize = static_cast<std::uint32_t>(soFar.size() * 2);
    grid = rulerLayout(static_cast<std::uint32_t>(span * 2), viewWidth, viewWidth).majorTicks;
    growing = true;
    redraw();
    sound = {};
}

void WaveformView::redraw()
{
    const int width = std::max(1, this->width());
    const int height = std::max(1, this->height());
    image = QImage(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    drawBackground(painter);
    soundColumns = width;
    if (growing) {
        const std::size_t span = growingSpanSamples(sound.size());
        soundColumns = sound.empty() ? 0 : std::max(1, int(sound.size() * width / span));
    }
    const std::vector<WavePoint> points = waveformPolyline(sound, soundColumns, height);
    if (!points.empty()) {
        QPolygon polyline(int(points.size()));
        for (std::size_t i = 0; i < points.size(); ++i)
            polyline.setPoint(int(i), points[i].x, points[i].y);
        painter.setPen(WaveColor);
        painter.drawPolyline(polyline);
    }
    drawCaptions(painter);
    update();
}

void WaveformView::drawBackground(QPainter &painter)
{
    const int width = image.width();
    const int height = image.height();
    painter.fillRect(image.rect(), BackgroundColor);
    painter.setPen(GridColor);
    for (const int x : grid)
        painter.drawLine(x, 0, x, height);
    for (int i = 1; i <= 8; ++i)
        painter.drawLine(0, i * height / 8, width, i * height / 8);
}

void WaveformView::drawCaptions(QPainter &painter)
{
    const int width = image.width();
    const int height = image.height();
    painter.setFont(smallFont());
    painter.setPen(CaptionColor);
    painter.drawText(QPoint(width - 70, height - 16 + 9),
                     QString::fromStdString(lengthCaption(wholeSize)));
    painter.setPen(ScaleColor);
    painter.drawText(QPoint(0, height / 4 + 9), QStringLiteral(" 0.5"));
    painter.drawText(QPoint(0, height / 2 + 9), QStringLiteral(" 0.0"));
    painter.drawText(QPoint(0, 6 * height / 8 + 9), QStringLiteral("-0.5"));
    for (int k = 1; k < 8; ++k) {
        const int y = k * height / 8;
        painter.drawLine(0, y, k % 2 == 1 ? 3 : 6, y);
    }
}

void WaveformView::setMarker(std::optional<int> x)
{
    markerColumn = x;
    update();
}

void WaveformView::setHighlight(std::optional<std::pair<int, int>> ends)
{
    highlight = ends;
    update();
}

void WaveformView::setPlaybackCursor(std::optional<int> x)
{
    cursorColumn = x;
    update();
}

void WaveformView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    if (growing)
        return;
    // White XOR inverts: the overlays cancel where they cross, as on the original display.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const int height = this->height();
    if (highlight && highlight->first != highlight->second) {
        const int left = std::min(highlight->first, highlight->second);
        const int right = std::max(highlight->first, highlight->second);
        painter.fillRect(QRect(left, 0, right - left, height), Qt::white);
    }
    if (markerColumn)
        painter.fillRect(QRect(*markerColumn, 0, 1, height), Qt::white);
    if (cursorColumn)
        painter.fillRect(QRect(*cursorColumn, 0, 1, height), Qt::white);
}

void WaveformView::resizeEvent(QResizeEvent *)
{
    redraw();
    emit resized();
}

void WaveformView::mousePressEvent(QMouseEvent *event)
{
    capturing = true;
    emit pressed(event->position().toPoint().x());
}

void WaveformView::mouseMoveEvent(QMouseEvent *event)
{
    if (capturing && event->buttons() == Qt::LeftButton)
        emit dragged(event->position().toPoint().x());
}

void WaveformView::mouseReleaseEvent(QMouseEvent *)
{
    capturing = false;
    emit released();
}

void WaveformView::wheelEvent(QWheelEvent *event)
{
    // A notch is 120 eighths of a degree; touchpads send less at a time.
    static constexpr int Notch = 120;
    wheelTurn += event->angleDelta();
    const int vertical = wheelTurn.y() / Notch;
    const int sideways = wheelTurn.x() / Notch;
    wheelTurn -= QPoint(sideways * Notch, vertical * Notch);
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        if (vertical != 0)
            emit zoomTurned(vertical, event->position().toPoint().x());
    } else if (vertical != 0 || sideways != 0) {
        // Turning the wheel down moves on through the sound, as a page scrolls down.
        emit scrollTurned(-vertical - sideways);
    }
    event->accept();
}

} // namespace vorela
