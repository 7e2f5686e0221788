// The bold mark on tree items.
#include "platform/qt/TreeItemFont.h"

#include <QFont>
#include <QTreeWidgetItem>

namespace vorela {

void setItemBold(QTreeWidgetItem &item, bool bold)
{
    QFont font = item.font(0);
    font.setBold(bold);
    item.setFont(0, font);
}

} // namespace vorela
