// The bold mark both trees and the template player put on tree items.
#pragma once

class QTreeWidgetItem;

namespace vorela {

/// Makes the item's text bold or plain, keeping the rest of its font.
void setItemBold(QTreeWidgetItem &item, bool bold);

} // namespace vorela
