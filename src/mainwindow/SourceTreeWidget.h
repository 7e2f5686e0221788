// The source tree widget tv_2: starts drags of lexemes and turns F2 into a rename request.
#pragma once

#include "mainwindow/ContextMenuTreeWidget.h"

namespace vorela {

class SourceTreeWidget : public ContextMenuTreeWidget {
    Q_OBJECT

public:
    explicit SourceTreeWidget(QWidget *parent = nullptr);

signals:
    void renameRequested(QTreeWidgetItem *item);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
};

} // namespace vorela
