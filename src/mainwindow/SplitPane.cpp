// The main window's client area with its split bar.
#include "mainwindow/SplitPane.h"

#include "mainwindow/SplitBar.h"
#include "mainwindow/WindowGeometry.h"

#include <QLabel>
#include <QResizeEvent>

namespace vorela {

static constexpr int BarWidth = 4;

SplitPane::SplitPane(QWidget *parent) : QWidget(parent)
{
    vsplit_1 = new SplitBar(this);
    vsplit_1->setObjectName(QStringLiteral("vsplit_1"));
    connect(vsplit_1, &SplitBar::dragged, this, &SplitPane::dragSplit);
}

void SplitPane::setPanes(QLabel *leftCaption, QWidget *leftTree, QLabel *rightCaption,
                         QWidget *rightTree)
{
    leftLabel = leftCaption;
    leftPane = leftTree;
    rightLabel = rightCaption;
    rightPane = rightTree;
    for (QWidget *pane : {static_cast<QWidget *>(leftLabel), leftPane,
                          static_cast<QWidget *>(rightLabel), rightPane})
        pane->setParent(this);
    layoutPanes();
}

void SplitPane::placeSplit(int x)
{
    position = x;
    layoutPanes();
}

void SplitPane::dragSplit(int x)
{
    placeSplit(clampedSplitPos(x, width()));
}

void SplitPane::resizeEvent(QResizeEvent *event)
{
    // Before the first show the old width is meaningless: keep the restored position.
    if (event->oldSize().width() > 0)
        position = splitPosAfterResize(position, event->oldSize().width(), event->size().width());
    layoutPanes();
}

void SplitPane::layoutPanes()
{
    if (leftPane == nullptr)
        return;
    const int captionHeight = fontMetrics().height() + 4;
    const int treeHeight = std::max(0, height() - captionHeight);
    const int rightX = position + BarWidth;
    const int rightWidth = std::max(0, width() - rightX);
    vsplit_1->setGeometry(position, 0, BarWidth, std::max(0, height() - 1));
    leftLabel->setGeometry(0, 0, position, captionHeight);
    leftPane->setGeometry(0, captionHeight, position, treeHeight);
    rightLabel->setGeometry(rightX, 0, rightWidth, captionHeight);
    rightPane->setGeometry(rightX, captionHeight, rightWidth, treeHeight);
}

} // namespace vorela
