// The editor's main window: the source tree tv_2 and the task tree tv_1 side by side under their
// captions, the split bar between them, the menus, the status line, and the saved geometry.
#pragma once

#include "mainwindow/EditorSession.h"
#include "mainwindow/Form1Hooks.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <memory>

class QLabel;
class QStatusBar;

namespace vorela {

class Aliases;
class FormAbout;
class HelpWindow;
class HistoryWindow;
class SourceTree;
class SourceTreeWidget;
class SplitPane;
class TaskTree;
class TaskTreeWidget;
class TemplateDrop;
class WindowSettings;
struct MainMenus;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    /// Builds the window and both trees from the loaded stores; show it with showWindow().
    explicit Form1(const EditorContext &context, Form1Hooks hooks = {}, QWidget *parent = nullptr);
    ~Form1() override;

    /// Shows the window, maximized when it was closed maximized.
    void showWindow();

    /// The hooks through which the other windows are opened; set them before use.
    [[nodiscard]] Form1Hooks &hooks() { return windowHooks; }
    [[nodiscard]] Aliases &taskConfig();
    [[nodiscard]] bool isReady() const { return session->ready; }
    [[nodiscard]] bool isStopRequested() const { return session->stopRequested; }
    /// The player calls this when playback ended or was stopped.
    void playbackFinished();
    /// Shows (or unmarks) the item being spoken in bold; a marker whose item is gone is ignored.
    void markSpoken(std::uintptr_t marker, bool bold);

    [[nodiscard]] SourceTree &sourceTree() { return *sources; }
    [[nodiscard]] TaskTree &taskTree() { return *tasks; }
    [[nodiscard]] TemplateDrop &templateDrop() { return *drop; }
    [[nodiscard]] MainMenus &menus() { return *mainMenus; }

    TaskTreeWidget *tv_1 = nullptr;
    SourceTreeWidget *tv_2 = nullptr;
    SplitPane *splitPane = nullptr;
    QLabel *label_tv = nullptr;
    QLabel *label_lv = nullptr;
    QStatusBar *statusBar = nullptr;
    /// The status line's text.
    QLabel *statusText = nullptr;
    FormAbout *aboutBox = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWidgets();
    void restoreWindowState();
    void saveWindowState();
    void showHelp();
    void showHistory();
    /// The trees built anew from the store, after a version was restored.
    void reloadLibrary();

    Form1Hooks windowHooks;
    std::unique_ptr<EditorSession> session;
    std::unique_ptr<WindowSettings> settings;
    std::unique_ptr<MainMenus> mainMenus;
    TaskTree *tasks = nullptr;
    SourceTree *sources = nullptr;
    TemplateDrop *drop = nullptr;
    QPointer<HelpWindow> helpWindow;
    QPointer<HistoryWindow> historyWindow;
    bool startMaximized = false;
    bool stateSaved = false;
    // A save while maximizing failed: the geometry stored is not the window's.
    bool geometryLost = false;
};

} // namespace vorela
