// "Удалить" in the source tree.
#include "mainwindow/SourceDeletion.h"

#include "mainwindow/EditorSession.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/TaskTree.h"
#include "mainwindow/TaskTreeWidget.h"
#include "mainwindow/TreeItems.h"
#include "mainwindow/VersionKeeper.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TreeItemFont.h"
#include "soundbank/SoundBank.h"
#include "stores/LexItem.h"
#include "stores/LexemeDeletion.h"

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
static constexpr const char *FolderVersionText = "Перед удалением папки «";
static constexpr const char *LexemeVersionText = "Перед удалением лексемы «";

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

void SourceDeletion::showStatus(const std::string &text)
{
    status.setText(toQString(text));
    status.repaint();
}

// Marks item's lexemes (every non-folder node below a folder) and their template items bold.
void SourceDeletion::markUses(QTreeWidgetItem &item, bool bold)
{
    const LexItem *node = itemNode(&item);
    if (node != nullptr && !node->IsFolder() && tasks.markItemsWithPath(node->GetPath(), bold) &&
        bold) {
        setItemBold(item, true);
        widget.scrollToItem(&item);
    }
    if (!bold)
        setItemBold(item, false);
    for (int i = 0; i < item.childCount(); ++i)
        markUses(*item.child(i), bold);
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
    const LexItem *node = itemNode(&selected);
    if (node == nullptr || !lexemesInUse(tasks.taskConfig(), *node))
        return true;
    markUses(selected, true);
    if (ask(InUseQuestion))
        return true;
    markUses(selected, false);
    return false;
}

void SourceDeletion::run(QTreeWidgetItem &selected)
{
    if (itemNode(selected.parent()) == nullptr)
        return; // the root stays
    if (!confirm(selected))
        return;
    const LexItem *node = itemNode(&selected);
    const std::string text = toUtf8(selected.text(0));
    if (!VersionKeeper(session).saveBefore(
            (node != nullptr && node->IsFolder() ? FolderVersionText : LexemeVersionText) + text +
            "»")) {
        markUses(selected, false);
        return;
    }
    const QString savedStatus = status.text();
    QFont font = status.font();
    font.setBold(true);
    status.setFont(font);
    session.ready = false;
    markUses(selected, false);
    removeAll(selected);
    session.ready = true;
    font.setBold(false);
    status.setFont(font);
    status.setText(savedStatus);
}

void SourceDeletion::removeAll(QTreeWidgetItem &selected)
{
    for (;;) {
        QTreeWidgetItem *deepest = &selected;
        while (deepest->childCount() > 0)
            deepest = deepest->child(0);
        const bool last = deepest == &selected;
        if (!removeOne(*deepest) || last)
            return;
    }
}

// A failed step leaves the node's item in place; template items that went before it are shown
// gone all the same.
bool SourceDeletion::removeOne(QTreeWidgetItem &item)
{
    const LexItem *node = itemNode(&item);
    LexItem *parentNode = itemNode(item.parent());
    if (node == nullptr || parentNode == nullptr)
        return false;
    const std::string text = toUtf8(item.text(0));
    showStatus(RemovingLexeme + text);
    if (node->IsFolder())
        showStatus(RemovingFolder + text);
    SoundBank &bank = session.context.bank;
    bank.setWindowTitle(session.caption());
    // The node is freed by its deletion: nothing of it is read afterwards.
    const NodeDeletion result =
        deleteLexemeNode(tasks.taskConfig(), *parentNode, node->GetName(),
                         [&bank](std::string_view chunkId) { return !bank.RemoveSound(chunkId); });
    if (result.templatesChanged) {
        tasks.refillAll();
        tasks.tree().viewport()->update();
    }
    if (result.failedStep == DeletionStep::Sound) {
        session.inform(SoundRemovalFailed);
        return false;
    }
    if (!result.ok()) {
        session.inform(NodeRemovalFailed + result.failedText + NodeRemovalFailedTail);
        return false;
    }
    delete &item;
    widget.viewport()->update();
    return true;
}

} // namespace vorela
