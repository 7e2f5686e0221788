// The level bar: green while the voice is comfortable, yellow near full scale, red on clipping.
#include "soundeditor/window/LevelMeter.h"

#include <QPainter>

namespace vorela {

static const QString ClipText = QStringLiteral("Перегрузка");
static const QColor TroughColor(24, 24, 24);
static const QColor SafeColor(0, 200, 0);
static const QColor LoudColor(230, 200, 0);
static const QColor ClipColor(220, 0, 0);
/// Above this share of the bar (-6 dBFS on a 60 dB scale) the voice is close to clipping.
static constexpr double LoudShare = 0.9;

LevelMeter::LevelMeter(QWidget *parent) : QWidget(parent)
{
    setMinimumHeight(16);
}

QSize LevelMeter::sizeHint() const
{
    return {160, 16};
}

void LevelMeter::showLevel(double share, bool clipped)
{
    if (share == litShare && clipped == clipMark)
        return;
    litShare = share;
    clipMark = clipped;
    update();
}

void LevelMeter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int markWidth = fontMetrics().horizontalAdvance(ClipText) + 8;
    const QRect bar(0, 0, std::max(1, width() - markWidth - 4), height());
    const QRect mark(width() - markWidth, 0, markWidth, height());
    painter.fillRect(bar, TroughColor);
    const int lit = int(litShare * bar.width());
    const int safe = std::min(lit, int(LoudShare * bar.width()));
    painter.fillRect(QRect(0, 0, safe, height()), SafeColor);
    painter.fillRect(QRect(safe, 0, lit - safe, height()), LoudColor);
    painter.fillRect(mark, clipMark ? ClipColor : TroughColor);
    painter.setPen(clipMark ? Qt::white : QColor(90, 90, 90));
    painter.drawText(mark, Qt::AlignCenter, ClipText);
}

} // namespace vorela
