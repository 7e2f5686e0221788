// What the tree items of both trees carry.
#include "mainwindow/TreeItems.h"

#include <QVariant>

namespace vorela {

static constexpr int NodeRole = Qt::UserRole;
static constexpr int ImageRole = Qt::UserRole + 1;
static constexpr int PatternRole = Qt::UserRole + 2;
static constexpr int NoteRole = Qt::UserRole + 3;

void setItemImage(QTreeWidgetItem &item, const QList<QIcon> &images, int index)
{
    item.setData(0, ImageRole, index);
    item.setIcon(0, index >= 0 && index < images.size() ? images.at(index) : QIcon());
}

int itemImage(const QTreeWidgetItem &item)
{
    return item.data(0, ImageRole).toInt();
}

void setItemNode(QTreeWidgetItem &item, LexItem *node)
{
    item.setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
}

LexItem *itemNode(const QTreeWidgetItem *item)
{
    if (item == nullptr)
        return nullptr;
    return reinterpret_cast<LexItem *>(item->data(0, NodeRole).value<quintptr>());
}

void setItemNote(QTreeWidgetItem &item, const QString &note)
{
    item.setData(0, NoteRole, note.isEmpty() ? QVariant() : QVariant(note));
}

QString shownLabel(const QModelIndex &index)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const QString note = index.data(NoteRole).toString();
    return note.isEmpty() ? text : text + QLatin1Char(' ') + note;
}

void setItemPattern(QTreeWidgetItem &item, const PatternItem &pattern)
{
    item.setData(0, PatternRole, QVariant::fromValue(pattern));
}

PatternItem itemPattern(const QTreeWidgetItem &item)
{
    return item.data(0, PatternRole).value<PatternItem>();
}

int itemDepth(const QTreeWidgetItem *item)
{
    int depth = 0;
    for (; item != nullptr; item = item->parent())
        ++depth;
    return depth;
}

} // namespace vorela
