// A tree whose context menu also opens from the keyboard: Shift+F10 and the Menu key ask for it
// for the current item, at that item, as a right click asks for it at the cursor.
#pragma once

#include <QTreeWidget>

namespace vorela {

class ContextMenuTreeWidget : public QTreeWidget {
    Q_OBJECT

public:
    explicit ContextMenuTreeWidget(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void requestMenuAtCurrentItem();
};

} // namespace vorela
