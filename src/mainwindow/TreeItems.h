// What the tree items of both trees carry: the lexeme node of a source item, the template item
// of a task item, and each item's image index in its tree's image list.
#pragma once

#include "stores/PatternItem.h"

#include <QIcon>
#include <QList>
#include <QMetaType>
#include <QTreeWidgetItem>

Q_DECLARE_METATYPE(vorela::PatternItem)

namespace vorela {

class LexItem;

/// Sets the item's image by its index in images (kept for tests and for later lookups).
void setItemImage(QTreeWidgetItem &item, const QList<QIcon> &images, int index);
[[nodiscard]] int itemImage(const QTreeWidgetItem &item);

/// The lexeme node a source item shows (owned by the store), or null.
void setItemNode(QTreeWidgetItem &item, LexItem *node);
[[nodiscard]] LexItem *itemNode(const QTreeWidgetItem *item);

/// A note shown after the item's text but never edited with it ("(3 без звука)"); empty: none.
void setItemNote(QTreeWidgetItem &item, const QString &note);
/// What the tree shows for index: its text, then its note.
[[nodiscard]] QString shownLabel(const QModelIndex &index);

/// The tree item's own copy of its template item.
void setItemPattern(QTreeWidgetItem &item, const PatternItem &pattern);
[[nodiscard]] PatternItem itemPattern(const QTreeWidgetItem &item);

/// Depth from the top item: 1 for a top-level item.
[[nodiscard]] int itemDepth(const QTreeWidgetItem *item);

} // namespace vorela
