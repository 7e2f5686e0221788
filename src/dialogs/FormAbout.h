// The "О программе" window: the program's name and version, modeless beside the main window.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorela {

class FormAbout : public QDialog {
    Q_OBJECT

public:
    explicit FormAbout(QWidget *parent = nullptr);

    /// Shows the window without blocking its owner; a second call raises the one already open.
    void showBeside();

    QLabel *label_2 = nullptr;
    QPushButton *cb_1 = nullptr;
};

} // namespace vorela
