// The split bar vsplit_1 between the two trees: dragging it reports the wanted position.
#pragma once

#include <QWidget>

namespace vorela {

/// The bar itself: dragging it reports the wanted x in the parent's coordinates.
class SplitBar : public QWidget {
    Q_OBJECT

public:
    explicit SplitBar(QWidget *parent);

signals:
    void dragged(int x);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int grabOffset = 0;
    bool dragging = false;
};

} // namespace vorela
