// "Удалить" in the source tree.
#include "mainwindow/SourceDeletion.h"

#include "mainwindow/EditorSession.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/TaskTree.h"
#include "mainwindow/TreeItems.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TreeItemFont.h"
#include "soundbank/SoundBank.h"
#include "stores/LexItem.h"

#include <QLabel>

namespace vorela {

static constexpr const char *FolderQuestion = "Внимание! Папкa '";
static constexpr const char *FolderQuestionTail =
    "' не пустая.\r\nПосле удаления папки, инфоpмация, содеpжащаяся в ней,будет утеpяна.\r\n\r\n"
    "Вы действительно желаете её удалить?";
static constexpr const char *LexemeQuestion = "Вы действительно желаете удалить лексему '";
static constexpr const char *InUseQuestion =
    "Внимание!\r\nНекоторые удаляемые лексемы закреплены за кодами заданий.\r\nПосле удаления "
    "данные лексемы будут утеpяны.\r\n\r\nВы действительно желаете их удалить?";
static constexpr const char *RemovingLexeme = "Удаление лексемы: ";
static constexpr const char *RemovingFolder = "Удаление папки: ";
static constexpr const char *SoundRemovalFailed =
    "Ошибка удаления!\r\nВозможно в данный момент происходит оповещение абонента. \r\nДля "
    "успешного завершения операции приостановите выполнение заданий в приложении \"ВОРЕЛА\" и "
    "повторите попытку.\r\n";
static constexpr const char *NodeRemovalFailed = "Ошибка удаления лексемы '";
static constexpr const char *NodeRemovalFailedTail = "' !";

SourceDeletion::SourceDeletion(EditorSession &editorSession, SourceTreeWidget &tree,
                               TaskTree &taskTree, QLabel &statusText)
    : session(editorSession), widget(tree), tasks(taskTree), status(statusText)
{
}

bool SourceDeletion::ask(const std::string &text)
{
    return session.context.ui.showMessage({session.caption(), text, MessageIcon::Question,
                                           MessageButtons::YesNo, MessageAnswer::No}) ==
           MessageAnswer::Yes;
}

void SourceDeletion::inform(const std::string &text)
{
    (void)session.context.ui.showMessage(
        {session.caption(), text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
}

void SourceDeletion::showStatus(const std::string &text)
{
    status.setText(toQString(text));
    status.repaint();
}

// Marks item's lexemes (every non-folder node below a folder) and their template items bold.
bool SourceDeletion::markUses(QTreeWidgetItem &item, bool bold)
{
    bool used = false;
    const LexItem *node = itemNode(&item);
    if (node != nullptr && !node->IsFolder() && tasks.markItemsWithPath(node->GetPath(), bold)) {
        used = true;
        setItemBold(item, bold);
        if (bold)
            widget.scrollToItem(&item);
    }
    if (!bold)
        setItemBold(item, false);
    for (int i = 0; i < item.childCount(); ++i)
        used = markUses(*item.child(i), bold) || used;
    return used;
}

static void expandAll(QTreeWidgetItem &item)
{
    item.setExpanded(true);
    for (int i = 0; i < item.childCount(); ++i)
        expandAll(*item.child(i));
}

bool SourceDeletion::confirm(QTreeWidgetItem &selected)
{
    const std::string text = toUtf8(selected.text(0));
    if (selected.childCount() > 0) {
        expandAll(selected);
        if (!ask(FolderQuestion + text + FolderQuestionTail))
            return false;
    } else if (!ask(LexemeQuestion + text + "'?")) {
        return false;
    }
    // The templates as stored now, so a use added by another program is seen too.
    tasks.refillAll();
    if (!markUses(selected, true))
        return true;
    if (ask(InUseQuestion))
        return true;
    (void)markUses(selected, false);
    return false;
}

void SourceDeletion::run(QTreeWidgetItem &selected)
{
    if (itemNode(selected.parent()) == nullptr)
        return; // the root stays
    if (!confirm(selected))
        return;
    const QString savedStatus = status.text();
    QFont font = status.font();
    font.setBold(true);
    status.setFont(font);
    session.ready = false;
    (void)markUses(selected, false);
    (void)removeAll(selected);
    session.ready = true;
    font.setBold(false);
    status.setFont(font);
    status.setText(savedStatus);
}

bool SourceDeletion::removeAll(QTreeWidgetItem &selected)
{
    for (;;) {
        QTreeWidgetItem *deepest = &selected;
        while (deepest->childCount() > 0)
            deepest = deepest->child(0);
        const bool last = deepest == &selected;
        if (!removeOne(*deepest))
            return false;
        if (last)
            return true;
    }
}

bool SourceDeletion::removeOne(QTreeWidgetItem &item)
{
    LexItem *node = itemNode(&item);
    LexItem *parentNode = itemNode(item.parent());
    if (node == nullptr || parentNode == nullptr)
        return false;
    const std::string text = toUtf8(item.text(0));
    const bool folder = node->IsFolder();
    showStatus(RemovingLexeme + text);
    if (folder)
        showStatus(RemovingFolder + text);
    // A removed node is freed with its LexItem: decide everything before removing it.
    if (folder && !parentNode->RemoveChild(node->GetName())) {
        // The folder is still in the store: its item must stay too.
        inform(NodeRemovalFailed + node->GetText() + NodeRemovalFailedTail);
        return false;
    }
    if (!folder && !removeLexeme(*node, *parentNode))
        return false;
    delete &item;
    widget.viewport()->update();
    return true;
}

// Template items first, then the sounds, then the node: a failure leaves the node in the store
// with its sound, so the operator can delete it again once the bank is free.
bool SourceDeletion::removeLexeme(LexItem &node, LexItem &parentNode)
{
    const std::string text = node.GetText();
    if (!tasks.removeItemsWithPath(node.GetPath())) {
        inform(NodeRemovalFailed + text + NodeRemovalFailedTail);
        return false;
    }
    session.context.bank.setWindowTitle(session.caption());
    if (node.GetChunk().starts_with('#')) {
        for (const std::shared_ptr<LexItem> &entry : node.GetChildren()) {
            if (session.context.bank.RemoveSound(entry->GetChunk())) {
                inform(SoundRemovalFailed);
                return false;
            }
            if (!node.RemoveChild(entry->GetName())) {
                inform(NodeRemovalFailed + entry->GetText() + NodeRemovalFailedTail);
                return false;
            }
        }
    } else if (session.context.bank.RemoveSound(node.GetChunk())) {
        inform(SoundRemovalFailed);
        return false;
    }
    if (!parentNode.RemoveChild(node.GetName())) {
        inform(NodeRemovalFailed + text + NodeRemovalFailedTail);
        return false;
    }
    return true;
}

} // namespace vorela
