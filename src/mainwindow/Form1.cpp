// The editor's main window.
#include "mainwindow/Form1.h"

#include "dialogs/FormAbout.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/HistoryWindow.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/SourceTree.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/SplitPane.h"
#include "mainwindow/TaskTree.h"
#include "mainwindow/TaskTreeWidget.h"
#include "mainwindow/TemplateDrop.h"
#include "mainwindow/TreeIcons.h"
#include "mainwindow/TreeItems.h"
#include "mainwindow/VersionKeeper.h"
#include "mainwindow/WindowSettings.h"
#include "platform/qt/TreeItemFont.h"
#include "stores/LexItem.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>

namespace vorela {

// The title keeps its Latin P and p, as the product has always shown it.
static constexpr const char *WindowTitle = "P\xD0\xB5\xD0\xB4\xD0\xB0\xD0\xBA\xD1\x82\xD0\xBE"
                                           "p \xD0\xBB\xD0\xB5\xD0\xBA\xD1\x81\xD0\xB5\xD0\xBC "
                                           "(\xD0\x92\xD0\xBE\xD1\x80\xD0\xB5\xD0\xBB\xD0\xB0)";
static constexpr const char *SourceCaption = "Источники фраз";
static constexpr const char *TaskCaption = "Наборы фраз, закреплённых за заданиями";
static constexpr const char *StatusHint =
    "Для перемещения фраз из источников в шаблоны используйте мышь";
static constexpr const char *CurrencyNotWrittenText =
    "Не удалось записать слова валют в банк звуков или в дерево лексем. "
    "Суммы в долларах и евро могут быть озвучены не полностью.";
static constexpr const char *GeometryDefaultsText =
    "Не удалось записать в реестр положение и размер окна. Окно открыто на обычном месте.";
static constexpr const char *GeometryNotSavedText =
    "Не удалось сохранить в реестре положение и размер окна. "
    "В следующий раз окно откроется на обычном месте.";
static constexpr const char *TreeNotReadText =
    "Не удалось заново прочитать дерево лексем. Закройте редактор и откройте его снова.";

static QRect desktopRect()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

Form1::Form1(const EditorContext &context, Form1Hooks hooks, QWidget *parent)
    : QMainWindow(parent), windowHooks(std::move(hooks))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(WindowTitle));
    setWindowIcon(treeIcon(TreeIcon::Lexeme));
    session =
        std::make_unique<EditorSession>(EditorSession{context, windowHooks, *this, true, true});
    buildWidgets();

    if (windowHooks.installCurrency && !windowHooks.installCurrency())
        session->warn(CurrencyNotWrittenText);
    const QRect desktop = desktopRect();
    settings = std::make_unique<WindowSettings>(context.store, desktop.width(), desktop.height());
    aboutBox = new FormAbout(this);
    statusText->setText(QString::fromUtf8(StatusHint));
    restoreWindowState();
    sources->build();
    tasks->build();
}

Form1::~Form1()
{
    if (!stateSaved)
        saveWindowState();
}

void Form1::buildWidgets()
{
    tv_2 = new SourceTreeWidget;
    tv_2->setObjectName(QStringLiteral("tv_2"));
    tv_1 = new TaskTreeWidget;
    tv_1->setObjectName(QStringLiteral("tv_1"));
    label_tv = new QLabel(QString::fromUtf8(SourceCaption));
    label_tv->setObjectName(QStringLiteral("label_tv"));
    label_lv = new QLabel(QString::fromUtf8(TaskCaption));
    label_lv->setObjectName(QStringLiteral("label_lv"));
    splitPane = new SplitPane(this);
    splitPane->setObjectName(QStringLiteral("splitPane"));
    splitPane->setPanes(label_tv, tv_2, label_lv, tv_1);
    setCentralWidget(splitPane);
    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(statusBar);
    // A label, not a temporary message: hovering over the menus must not wipe the hint.
    statusText = new QLabel(statusBar);
    statusText->setObjectName(QStringLiteral("statusText"));
    statusBar->addWidget(statusText, 1);

    mainMenus = std::make_unique<MainMenus>(*menuBar(), *this);
    menuBar()->setObjectName(QStringLiteral("mainMenu"));
    connect(mainMenus->close, &QAction::triggered, this, &QWidget::close);
    connect(mainMenus->history, &QAction::triggered, this, &Form1::showHistory);
    connect(mainMenus->help, &QAction::triggered, this, &Form1::showHelp);
    connect(mainMenus->about, &QAction::triggered, this, [this] { aboutBox->showBeside(); });

    tasks = new TaskTree(*session, *tv_1, *mainMenus, this);
    sources = new SourceTree(*session, *tv_2, *mainMenus, *tasks, *statusText, this);
    drop = new TemplateDrop(*tasks, session->context.lexemeRoot, this);
    tv_1->setDropHandler(drop);
}

void Form1::restoreWindowState()
{
    if (!settings->storeDefaults())
        session->warn(GeometryDefaultsText);
    const WindowRect rect = settings->restoredRect();
    setGeometry(rect.x, rect.y, rect.width, rect.height);
    startMaximized = settings->maximized();
    setMinimumSize(rect.width / 2, rect.height / 3);
    const int clientWidth = startMaximized ? desktopRect().width() : rect.width;
    splitPane->resize(clientWidth, splitPane->height());
    splitPane->placeSplit(restoredSplitPos(settings->splitPos(), clientWidth));
}

void Form1::showWindow()
{
    if (startMaximized)
        showMaximized();
    else
        show();
}

void Form1::saveWindowState()
{
    const QRect rect = geometry();
    const bool rectSaved =
        isMaximized() || settings->saveRect({rect.x(), rect.y(), rect.width(), rect.height()});
    const bool maximizedSaved = settings->saveMaximized(isMaximized());
    const bool splitSaved = settings->saveSplitPos(splitPane->splitPos());
    stateSaved = true;
    if (!rectSaved || !maximizedSaved || !splitSaved || geometryLost)
        session->warn(GeometryNotSavedText);
}

void Form1::closeEvent(QCloseEvent *event)
{
    saveWindowState();
    VersionKeeper(*session).saveAtClose();
    if (helpWindow)
        helpWindow->close();
    if (historyWindow)
        historyWindow->close();
    aboutBox->close();
    event->accept();
}

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMaximized())
        return;
    // While maximized the stored rectangle is the one to come back to. A failed save is told
    // at close, once.
    const QRect normal = normalGeometry();
    const bool rectSaved =
        !normal.isValid() ||
        settings->saveRect({normal.x(), normal.y(), normal.width(), normal.height()});
    if (!rectSaved || !settings->saveMaximized(true))
        geometryLost = true;
}

void Form1::showHelp()
{
    if (!helpWindow)
        helpWindow = new HelpWindow(this);
    helpWindow->showContents();
}

void Form1::showHistory()
{
    if (!historyWindow)
        historyWindow = new HistoryWindow(
            *session, [this] { reloadLibrary(); }, this);
    historyWindow->show();
    historyWindow->raise();
    historyWindow->activateWindow();
}

void Form1::reloadLibrary()
{
    // The tree items point into the nodes: they go before the nodes are loaded anew.
    tv_2->clear();
    if (!session->context.lexemeRoot.reload())
        session->warn(TreeNotReadText);
    sources->build();
    tasks->build();
}

Aliases &Form1::taskConfig()
{
    return tasks->taskConfig();
}

void Form1::playbackFinished()
{
    session->ready = true;
    session->stopRequested = true;
}

static QTreeWidgetItem *findItem(QTreeWidget &tree, std::uintptr_t marker)
{
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        if (reinterpret_cast<std::uintptr_t>(*it) == marker)
            return *it;
    }
    return nullptr;
}

void Form1::markSpoken(std::uintptr_t marker, bool bold)
{
    QTreeWidgetItem *item = findItem(*tv_1, marker);
    if (item == nullptr)
        item = findItem(*tv_2, marker);
    if (item == nullptr)
        return;
    setItemBold(*item, bold);
    if (bold)
        item->treeWidget()->scrollToItem(item);
}

} // namespace vorela
