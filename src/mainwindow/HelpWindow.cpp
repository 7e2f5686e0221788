// The editor's own help window.
#include "mainwindow/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The manual is compiled into this static library; nothing else references it, so load it here.
static void loadHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace vorela {

static constexpr const char *HelpCaption = "Справка по Ворела";

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    loadHelpResources();
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QString::fromUtf8(HelpCaption));
    setModal(false);
    resize(640, 520);
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
}

void HelpWindow::showContents()
{
    browser->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
    show();
    raise();
    activateWindow();
}

} // namespace vorela
