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
    if (rangeFrom == rangeTo || maximum() <= minimum())
        return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const int span = maximum() - minimum();
    const int left = groove.left() + (rangeFrom - minimum()) * groove.width() / span;
    const int right = groove.left() + (rangeTo - minimum()) * groove.width() / span;
    QPainter painter(this);
    painter.fillRect(QRect(left, groove.bottom() + 2, std::max(1, right - left), 3),
                     QColor(0, 0, 160));
}

} // namespace vorela
