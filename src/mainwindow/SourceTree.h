// The source tree tv_2: the lexeme store shown with its images, the context menu enabled by each
// node's mask, label editing, and the commands that create, rename, import and open lexemes.
#pragma once

#include "trees/MissingSounds.h"

#include <QIcon>
#include <QList>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QTreeWidgetItem;

namespace vorela {

class LexItem;
class SourceDeletion;
class SourceTreeWidget;
class TaskTree;
struct EditorSession;
struct MainMenus;

class SourceTree : public QObject {
    Q_OBJECT

public:
    SourceTree(EditorSession &session, SourceTreeWidget &tree, MainMenus &menus, TaskTree &tasks,
               QLabel &statusText, QObject *parent);
    ~SourceTree() override;

    /// Fills the tree from the loaded store and expands the root.
    void build();
    /// Marks the lexemes without sound and counts them on each folder, from one read of the
    /// bank's chunk list; a bank that cannot be read leaves no marks and says so in the status.
    void refreshMissing();
    /// Hides what has its sound, keeping the folders that lead to something missing.
    void showOnlyMissing(bool only);
    [[nodiscard]] const QList<QIcon> &images() const { return imageList; }

    /// Context menu state for the selected item.
    void prepareMenu();
    /// Starts label editing when the node's mask allows it.
    void beginRename(QTreeWidgetItem *item);
    void createFolder();
    void createTable();
    void createLexemeFromPlayer();
    void createLexemeFromFile();
    void replaceFromPlayer();
    void replaceFromFile();
    /// Guided recording of the lexemes without sound below the selected folder or the root.
    void recordMissing();
    void editTable();
    void removeSelected();
    /// Double click: listen to a lexeme, speak a function entry, or open a table.
    void listen(QTreeWidgetItem *item);

private:
    void addChildItems(QTreeWidgetItem &parentItem, const LexItem &node);
    QTreeWidgetItem *addItem(QTreeWidgetItem &parentItem, LexItem &node, int index);
    void renameFromKey(QTreeWidgetItem *item);
    void finishRename(QTreeWidgetItem *item, const QString &text);
    void showSourceMenu(const QPoint &position);
    void setKindImage(QTreeWidgetItem *item, bool expanded);
    /// Every chunk of the lexeme store, for the new chunk id of a lexeme.
    [[nodiscard]] std::vector<std::string> storeChunks() const;
    void addRecordedLexeme(QTreeWidgetItem &folderItem, const std::string &text,
                           const std::string &chunk);
    void showAndEdit(QTreeWidgetItem &item);
    void markItem(QTreeWidgetItem &item);
    /// Double click on a lexeme without sound: offers to record it; true when it was one.
    bool offerRecording(const LexItem &node);

    EditorSession &session;
    SourceTreeWidget &widget;
    MainMenus &menus;
    QLabel &status;
    SoundGaps gaps;
    QList<QIcon> imageList;
    std::unique_ptr<SourceDeletion> deletion;
};

} // namespace vorela
