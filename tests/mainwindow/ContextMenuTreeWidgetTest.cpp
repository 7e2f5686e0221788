// The context menus of both trees open from the keyboard, for the current item and at it.
#include "MainWindowFixture.h"

#include <QApplication>
#include <QTest>

namespace vorela::test {
namespace {

using ContextMenuTreeWidgetTest = MainWindowFixture;

// The context menu shown, if any.
QMenu *visibleMenu()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *menu = qobject_cast<QMenu *>(widget);
        if (menu != nullptr && menu->isVisible())
            return menu;
    }
    return nullptr;
}

TEST_F(ContextMenuTreeWidgetTest, ShiftF10AndTheMenuKeyOpenTheTreesMenuAtTheCurrentItem)
{
    form->showWindow();
    taskTree().expandAll();
    struct Case {
        QTreeWidget *tree;
        QTreeWidgetItem *item;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *menu; // null: no menu opens
        const char *enabled;
        const char *disabled;
    };
    const Case cases[] = {
        {&sourceTree(), sourceItem({"Общие", "Добрый день"}), Qt::Key_F10, Qt::ShiftModifier,
         "sourceMenu", "rename", "createFolder"},
        {&sourceTree(), sourceItem({"Общие"}), Qt::Key_Menu, Qt::NoModifier, "sourceMenu",
         "createFolder", "editTable"},
        {&taskTree(), taskItem({"Задание А", "Оп", "Приветствие"}), Qt::Key_F10, Qt::ShiftModifier,
         "taskMenu", "properties", "stop"},
        {&taskTree(), taskItem({"Задание Б"}), Qt::Key_Menu, Qt::NoModifier, "taskMenu", "refresh",
         "properties"},
        {&sourceTree(), sourceItem({"Общие"}), Qt::Key_F10, Qt::NoModifier, nullptr, "", ""},
    };
    for (const Case &c : cases) {
        ASSERT_NE(c.item, nullptr);
        // The mouse is elsewhere: the menu must follow the current item, not the cursor.
        c.tree->setCurrentItem(c.item);
        c.tree->setFocus();
        QTest::keyClick(c.tree, c.key, c.modifiers);
        QMenu *menu = visibleMenu();
        const std::string label = c.item->text(0).toStdString();
        if (c.menu == nullptr) {
            EXPECT_EQ(menu, nullptr) << label;
            continue;
        }
        ASSERT_NE(menu, nullptr) << label;
        EXPECT_EQ(menu->objectName(), c.menu) << label;
        EXPECT_EQ(c.tree->currentItem(), c.item) << label;
        const QRect itemRect = c.tree->visualItemRect(c.item);
        const QPoint itemTop = c.tree->viewport()->mapToGlobal(itemRect.topLeft());
        EXPECT_GE(menu->pos().y(), itemTop.y()) << label;
        EXPECT_LE(menu->pos().y(), itemTop.y() + itemRect.height()) << label;
        EXPECT_TRUE(action(c.enabled).isEnabled()) << label;
        EXPECT_FALSE(action(c.disabled).isEnabled()) << label;
        menu->close();
    }
}

} // namespace
} // namespace vorela::test
