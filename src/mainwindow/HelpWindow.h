// The editor's own help window: the Russian manual, browsable by its links.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace vorela {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    /// Shows the manual at its contents, beside the main window.
    void showContents();

    QTextBrowser *browser = nullptr;
};

} // namespace vorela
