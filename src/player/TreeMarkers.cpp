#include "player/TreeMarkers.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace vorela {

std::uint64_t treeItemHandle(const QTreeWidgetItem *item)
{
    return reinterpret_cast<std::uintptr_t>(item);
}

QTreeWidgetItem *findTreeItem(const QTreeWidget &tree, std::uint64_t handle)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&tree)); *it != nullptr; ++it) {
        if (treeItemHandle(*it) == handle)
            return *it;
    }
    return nullptr;
}

} // namespace vorela
