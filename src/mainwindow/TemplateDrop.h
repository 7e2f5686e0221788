// Dragging into templates: a lexeme from the source tree becomes a template item, a template
// item moves within its template. Decides acceptance while dragging, opens a collapsed task or
// operator after the cursor rests on it for a second, and writes the drop.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPoint>

#include <optional>
#include <string>

class QMimeData;
class QTimer;
class QTreeWidgetItem;

namespace vorela {

class LexItem;
class TaskTree;

class TemplateDrop : public QObject {
    Q_OBJECT

public:
    TemplateDrop(TaskTree &tasks, LexItem &lexemeRoot, QObject *parent);

    /// What a drag from the source tree carries: the lexeme node's path.
    [[nodiscard]] static QMimeData *sourceMimeData(const LexItem &node);
    /// What a drag of a template item carries: the item and the point where the drag began.
    [[nodiscard]] static QMimeData *moveMimeData(const QTreeWidgetItem &item, QPoint start);
    [[nodiscard]] static bool isOurs(const QMimeData *data);

    /// A drag came in or left: the expansion wait starts afresh with the next item, and the next
    /// check reads the dragged lexeme from the store again.
    void resetExpansion();
    /// Whether the drag may drop on target (null: no item under the cursor); a source drag also
    /// restarts the expansion wait when the cursor reaches another item.
    [[nodiscard]] bool accepts(const QMimeData *data, QTreeWidgetItem *target);
    /// Writes the drop on target; false when nothing was done.
    bool dropOn(const QMimeData *data, QTreeWidgetItem *target, QPoint position);

    QTimer *expandTimer = nullptr;

private:
    /// What the checks need of a dragged lexeme, read once per drag: a move reads no store.
    struct DraggedLexeme {
        QByteArray path;
        bool isFolder = false;
        bool isBoundary = false;
        std::string boundaryPath; // only for the boundary itself
    };

    [[nodiscard]] LexItem *draggedNode(const QMimeData *data) const;
    [[nodiscard]] const DraggedLexeme *draggedLexeme(const QMimeData *data);
    [[nodiscard]] QTreeWidgetItem *draggedItem(const QMimeData *data) const;
    [[nodiscard]] bool templateHasPath(QTreeWidgetItem &operatorItem,
                                       const std::string &path) const;
    void restartExpansion(QTreeWidgetItem *target);
    void expandTarget();
    bool dropLexeme(LexItem &node, QTreeWidgetItem &target);
    bool moveItem(QTreeWidgetItem &dragged, QTreeWidgetItem &target);

    TaskTree &tasks;
    LexItem &root;
    QTreeWidgetItem *expandTargetItem = nullptr;
    std::optional<DraggedLexeme> lexemeDrag;
};

} // namespace vorela
