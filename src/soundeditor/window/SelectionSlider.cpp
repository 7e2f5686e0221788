// Slider with a selected range drawn over its groove.
#include "soundeditor/window/SelectionSlider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace vorela {

SelectionSlider::SelectionSlider(QWidget *parent) : QSlider(Qt::Horizontal, parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void SelectionSlider::setSelectedRange(int from, int to)
{
    rangeFrom = std::min(from, to);
    rangeTo = std::max(from, to);
    update();
}

void SelectionSlider::paintEvent(QPaintEvent *event)
{
    QSlider::paintEvent(event);
    // A zoomed view shows part of the range: a selection outside it is not drawn.
    if (rangeFrom == rangeTo || maximum() <= minimum() || rangeTo < minimum() ||
        rangeFrom > maximum())
        return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const auto at = [&](int value) {
        const qint64 from = std::clamp(value, minimum(), maximum()) - minimum();
        return groove.left() + int(from * groove.width() / (maximum() - minimum()));
    };
    const int left = at(rangeFrom);
    const int right = at(rangeTo);
    QPainter painter(this);
    painter.fillRect(QRect(left, groove.bottom() + 2, std::max(1, right - left), 3),
                     QColor(0, 0, 160));
}

} // namespace vorela
