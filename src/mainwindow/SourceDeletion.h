// "Удалить" in the source tree: the questions, the bold marking of lexemes used in templates,
// and the node by node deletion, deepest first, with the trees following the store.
#pragma once

#include <string>

class QLabel;
class QTreeWidgetItem;

namespace vorela {

class SourceTreeWidget;
class TaskTree;
struct EditorSession;

class SourceDeletion {
public:
    SourceDeletion(EditorSession &session, SourceTreeWidget &tree, TaskTree &tasks,
                   QLabel &statusText);

    /// Asks, then deletes selected with everything below it. A failure stops with a message;
    /// what was deleted before stays deleted, the rest stays whole.
    void run(QTreeWidgetItem &selected);

private:
    [[nodiscard]] bool confirm(QTreeWidgetItem &selected);
    void markUses(QTreeWidgetItem &item, bool bold);
    [[nodiscard]] bool ask(const std::string &text);
    void removeAll(QTreeWidgetItem &selected);
    [[nodiscard]] bool removeOne(QTreeWidgetItem &item);
    void showStatus(const std::string &text);

    EditorSession &session;
    SourceTreeWidget &widget;
    TaskTree &tasks;
    QLabel &status;
};

} // namespace vorela
