// "История версий...": the versions of the library newest first (when, who, what changed), the
// full list of one version's changes, and the restore of a chosen version.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace vorela {

class History;
class VersionChangeWalk;
struct EditorSession;
struct VersionInfo;

class HistoryWindow : public QWidget {
    Q_OBJECT

public:
    /// Reads the list of versions; their changes follow a few at a time. reloadLibrary makes the
    /// main window show the library again after a restore.
    HistoryWindow(EditorSession &session, std::function<void()> reloadLibrary, QWidget *parent);
    ~HistoryWindow() override;

    QTreeWidget *versionList = nullptr;
    QListWidget *changeList = nullptr;
    /// Reading progress, and why the history could not be read.
    QLabel *historyStatus = nullptr;
    QPushButton *restoreButton = nullptr;
    QPushButton *closeButton = nullptr;

signals:
    /// The changes of every listed version have been read.
    void changesRead();

private:
    void buildWidgets();
    void readHistory();
    void readSomeChanges();
    void showSelectedChanges();
    void restoreSelected();
    void showStatus(const std::string &text);
    [[nodiscard]] int selectedRow() const;

    EditorSession &session;
    std::function<void()> reloadLibrary;
    std::unique_ptr<History> history;
    std::vector<VersionInfo> versions;
    /// Per version, its changes in sentences once read.
    std::vector<std::vector<std::string>> sentences;
    std::unique_ptr<VersionChangeWalk> walk;
    QTimer *changeTimer = nullptr;
};

} // namespace vorela
