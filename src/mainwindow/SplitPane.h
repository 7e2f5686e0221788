// The main window's client area: the two captioned trees left and right of the split bar
// vsplit_1, laid out from the bar's position after every drag and every resize.
#pragma once

#include <QWidget>

class QLabel;

namespace vorela {

class SplitBar;

class SplitPane : public QWidget {
    Q_OBJECT

public:
    explicit SplitPane(QWidget *parent = nullptr);

    /// The four panes; they become children of this widget.
    void setPanes(QLabel *leftCaption, QWidget *leftTree, QLabel *rightCaption, QWidget *rightTree);

    /// The bar's x in this widget.
    [[nodiscard]] int splitPos() const { return position; }
    /// Places the bar at x unchanged (a restored position) and lays the panes out.
    void placeSplit(int x);

    SplitBar *vsplit_1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void dragSplit(int x);
    void layoutPanes();

    QLabel *leftLabel = nullptr;
    QWidget *leftPane = nullptr;
    QLabel *rightLabel = nullptr;
    QWidget *rightPane = nullptr;
    int position = 0;
};

} // namespace vorela
