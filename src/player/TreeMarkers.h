// How "----" markers of a key sequence name tree items.
#pragma once

#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

namespace vorela {

/// The number a marker carries for item.
[[nodiscard]] std::uint64_t treeItemHandle(const QTreeWidgetItem *item);

/// The item of tree whose handle is handle; null when the tree holds none (it may have been
/// deleted since the marker was made: the handle is compared, never followed).
[[nodiscard]] QTreeWidgetItem *findTreeItem(const QTreeWidget &tree, std::uint64_t handle);

} // namespace vorela
