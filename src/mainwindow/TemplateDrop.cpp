// Dragging into templates.
#include "mainwindow/TemplateDrop.h"

#include "mainwindow/TaskTree.h"
#include "mainwindow/TaskTreeWidget.h"
#include "mainwindow/TreeItems.h"
#include "platform/TextParsing.h"
#include "platform/qt/QtText.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "trees/TreeRules.h"

#include <QMimeData>
#include <QStringList>
#include <QTimer>

namespace vorela {

static const QString SourceFormat = QStringLiteral("application/x-vorela-lexeme");
static const QString MoveFormat = QStringLiteral("application/x-vorela-template-item");
static constexpr int ExpandDelayMs = 1000;
static constexpr const char *MoveFailedText = "Не удалось переместить лексему '";
static constexpr const char *MoveFailedTail = "' в шаблоне.";

// Whether item is still in tree: items can go away (refresh, deletion) while a drag waits.
static bool treeHolds(const QTreeWidget &tree, const QTreeWidgetItem *item)
{
    if (item == nullptr)
        return false;
    for (const QTreeWidgetItem *walk = item; walk != nullptr; walk = walk->parent()) {
        if (walk->parent() == nullptr)
            return tree.indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(walk)) >= 0;
    }
    return false;
}

TemplateDrop::TemplateDrop(TaskTree &taskTree, LexItem &lexemeRoot, QObject *parent)
    : QObject(parent), tasks(taskTree), root(lexemeRoot)
{
    expandTimer = new QTimer(this);
    expandTimer->setObjectName(QStringLiteral("expandTimer"));
    expandTimer->setSingleShot(true);
    expandTimer->setInterval(ExpandDelayMs);
    connect(expandTimer, &QTimer::timeout, this, &TemplateDrop::expandTarget);
}

QMimeData *TemplateDrop::sourceMimeData(const LexItem &node)
{
    auto *data = new QMimeData;
    data->setData(SourceFormat, QByteArray::fromStdString(node.GetPath()));
    return data;
}

QMimeData *TemplateDrop::moveMimeData(const QTreeWidgetItem &item, QPoint start)
{
    const QTreeWidgetItem *operatorItem = item.parent();
    const QStringList parts = {operatorItem->parent()->text(0), operatorItem->text(0),
                               toQString(itemPattern(item).name), QString::number(start.x()),
                               QString::number(start.y())};
    auto *data = new QMimeData;
    data->setData(MoveFormat, parts.join(QLatin1Char('\n')).toUtf8());
    return data;
}

bool TemplateDrop::isOurs(const QMimeData *data)
{
    return data != nullptr && (data->hasFormat(SourceFormat) || data->hasFormat(MoveFormat));
}

LexItem *TemplateDrop::draggedNode(const QMimeData *data) const
{
    if (data == nullptr || !data->hasFormat(SourceFormat))
        return nullptr;
    LexItem *node = &root;
    for (const std::string &name : parseText(data->data(SourceFormat).toStdString(), "\\")) {
        node = node->GetChild(name).get();
        if (node == nullptr)
            return nullptr;
    }
    return node;
}

const TemplateDrop::DraggedLexeme *TemplateDrop::draggedLexeme(const QMimeData *data)
{
    if (data == nullptr || !data->hasFormat(SourceFormat))
        return nullptr;
    const QByteArray path = data->data(SourceFormat);
    if (lexemeDrag && lexemeDrag->path == path)
        return &*lexemeDrag;
    lexemeDrag.reset();
    const LexItem *node = draggedNode(data);
    if (node == nullptr)
        return nullptr;
    const bool boundary = node->GetChunk() == BoundaryChunk;
    // Finding the boundary searches the whole store: only its own drag needs the answer.
    lexemeDrag = DraggedLexeme{path, node->IsFolder(), boundary,
                               boundary ? tasks.boundaryPath() : std::string()};
    return &*lexemeDrag;
}

QTreeWidgetItem *TemplateDrop::draggedItem(const QMimeData *data) const
{
    if (data == nullptr || !data->hasFormat(MoveFormat))
        return nullptr;
    const QStringList parts = QString::fromUtf8(data->data(MoveFormat)).split(QLatin1Char('\n'));
    if (parts.size() != 5)
        return nullptr;
    for (QTreeWidgetItem *operatorItem : tasks.operatorItems()) {
        if (operatorItem->parent()->text(0) != parts[0] || operatorItem->text(0) != parts[1])
            continue;
        for (int i = 0; i < operatorItem->childCount(); ++i) {
            if (toQString(itemPattern(*operatorItem->child(i)).name) == parts[2])
                return operatorItem->child(i);
        }
    }
    return nullptr;
}

bool TemplateDrop::templateHasPath(QTreeWidgetItem &operatorItem, const std::string &path) const
{
    for (int i = 0; i < operatorItem.childCount(); ++i) {
        if (itemPattern(*operatorItem.child(i)).path == path)
            return true;
    }
    return false;
}

static MoveTarget moveTargetOf(const QTreeWidgetItem &dragged, const QTreeWidgetItem *target)
{
    if (target == nullptr)
        return MoveTarget::Elsewhere;
    if (target == dragged.parent())
        return MoveTarget::OwnOperator;
    return target->parent() == dragged.parent() ? MoveTarget::Sibling : MoveTarget::Elsewhere;
}

void TemplateDrop::resetExpansion()
{
    expandTimer->stop();
    expandTargetItem = nullptr;
    lexemeDrag.reset();
}

bool TemplateDrop::accepts(const QMimeData *data, QTreeWidgetItem *target)
{
    if (const QTreeWidgetItem *dragged = draggedItem(data))
        return moveDropAccepted(itemDepth(dragged), moveTargetOf(*dragged, target));
    const DraggedLexeme *lexeme = draggedLexeme(data);
    if (lexeme == nullptr || lexeme->isFolder)
        return false;
    if (target != nullptr && target != expandTargetItem)
        restartExpansion(target);
    SourceDrag drag{false, lexeme->isBoundary, itemDepth(target), false};
    QTreeWidgetItem *operatorItem = TaskTree::operatorItemOf(target);
    if (lexeme->isBoundary && operatorItem != nullptr)
        drag.templateHasBoundary = templateHasPath(*operatorItem, lexeme->boundaryPath);
    return sourceDropAccepted(drag);
}

void TemplateDrop::restartExpansion(QTreeWidgetItem *target)
{
    if (treeHolds(tasks.tree(), expandTargetItem))
        tasks.tree().scrollToItem(expandTargetItem);
    expandTimer->start();
    expandTargetItem = target;
}

void TemplateDrop::expandTarget()
{
    expandTimer->stop();
    QTreeWidgetItem *target = expandTargetItem;
    if (!treeHolds(tasks.tree(), target) || target->isExpanded() || target->childCount() == 0)
        return;
    tasks.expandBranch(*target);
    tasks.tree().setCurrentItem(target);
    tasks.tree().viewport()->update();
}

bool TemplateDrop::dropOn(const QMimeData *data, QTreeWidgetItem *target, QPoint position)
{
    expandTimer->stop();
    if (target == nullptr || !accepts(data, target))
        return false;
    expandTimer->stop();
    if (QTreeWidgetItem *dragged = draggedItem(data)) {
        const QStringList parts =
            QString::fromUtf8(data->data(MoveFormat)).split(QLatin1Char('\n'));
        if (QPoint(parts[3].toInt(), parts[4].toInt()) == position)
            return false;
        return moveItem(*dragged, *target);
    }
    LexItem *node = draggedNode(data);
    return node != nullptr && dropLexeme(*node, *target);
}

bool TemplateDrop::dropLexeme(LexItem &node, QTreeWidgetItem &target)
{
    QTreeWidgetItem *operatorItem = TaskTree::operatorItemOf(&target);
    if (!operatorItem->isExpanded())
        tasks.expandBranch(*operatorItem);
    const std::string afterName =
        itemDepth(&target) == ItemDepth ? itemPattern(target).name : std::string();
    const std::string chunk = node.GetChunk();
    const std::string text = node.GetText();
    const std::optional<std::string> arg = tasks.askBinding(*operatorItem, text, chunk, "");
    if (!arg)
        return false;
    std::string newName;
    const bool inserted = tasks.taskConfig().InsertTemplateItem(
        TaskTree::taskNameOf(*operatorItem), TaskTree::operatorNameOf(*operatorItem), afterName,
        PatternItem{.path = node.GetPath(), .text = text, .chunk = chunk, .arg = *arg}, newName);
    // The failure is read before the refill reads the template again.
    if (!inserted)
        tasks.showInsertFailure(*operatorItem, node.GetPath());
    tasks.fillTemplate(*operatorItem);
    // An operator that had no items could not open before; the dropped item must be seen.
    tasks.expandBranch(*operatorItem);
    if (!inserted)
        return false;
    tasks.selectTemplateItem(*operatorItem, newName);
    return true;
}

bool TemplateDrop::moveItem(QTreeWidgetItem &dragged, QTreeWidgetItem &target)
{
    QTreeWidgetItem *operatorItem = dragged.parent();
    const std::string name = itemPattern(dragged).name;
    const std::string afterName =
        itemDepth(&target) == ItemDepth ? itemPattern(target).name : std::string();
    const std::string path = itemPattern(dragged).path;
    const bool moved = tasks.taskConfig().MoveTemplateItem(TaskTree::taskNameOf(*operatorItem),
                                                           TaskTree::operatorNameOf(*operatorItem),
                                                           afterName, name);
    if (!moved) {
        bool found = false;
        tasks.showTemplateFailure(*operatorItem,
                                  MoveFailedText + root.GetTextAt(path, found) + MoveFailedTail);
    }
    tasks.fillTemplate(*operatorItem);
    tasks.selectTemplateItem(*operatorItem, name);
    return moved;
}

} // namespace vorela
