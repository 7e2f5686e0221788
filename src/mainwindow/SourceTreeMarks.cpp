// The source tree's marks of what still lacks a sound: grey lexemes, counts on folders, the
// filter that shows only them, and the offer to record a lexeme double-clicked without sound.
#include "mainwindow/SourceTree.h"

#include "mainwindow/EditorSession.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/TreeItems.h"
#include "platform/RegistryTransaction.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "soundbank/BankSounds.h"
#include "stores/LexItem.h"

#include <QLabel>
#include <QPalette>

namespace vorela {

static constexpr const char *CountNote = "(%1 без звука)";
static constexpr const char *NoSoundTip = "Звук ещё не записан";
static constexpr const char *BankUnreadText =
    "Банк звуков не прочитан: лексемы без звука не отмечены.";
static const std::string OfferHead = "У лексемы «";
static const std::string OfferTail = "» ещё нет звука. Записать его сейчас?";

void SourceTree::refreshMissing()
{
    BankSounds bank;
    const std::filesystem::path bankFile = session.context.dataDirectory.productBank();
    std::error_code error;
    // No bank yet is a library without any sound; a bank that cannot be read tells nothing.
    const bool absent = !std::filesystem::exists(bankFile, error) && !error;
    if (absent || bank.open(bankFile)) {
        const RegistryReadTransaction snapshot(session.context.store);
        gaps = soundGaps(session.context.lexemeRoot, [&bank, absent](std::string_view chunk) {
            return !absent && bank.contains(chunk);
        });
    } else {
        gaps = {};
        status.setText(QString::fromUtf8(BankUnreadText));
    }
    for (QTreeWidgetItemIterator it(&widget); *it != nullptr; ++it)
        markItem(**it);
    showOnlyMissing(menus.onlyMissing->isChecked());
}

void SourceTree::markItem(QTreeWidgetItem &item)
{
    const LexItem *node = itemNode(&item);
    if (node == nullptr)
        return;
    const std::size_t count = gaps.missingBelow(*node);
    setItemNote(item, count > 0 ? QString::fromUtf8(CountNote).arg(count) : QString());
    const bool silent = gaps.lacksSound(*node);
    const int image = itemImage(item);
    const QIcon icon = image >= 0 && image < imageList.size() ? imageList.at(image) : QIcon();
    item.setIcon(0, silent ? QIcon(icon.pixmap(16, 16, QIcon::Disabled)) : icon);
    item.setForeground(0, silent ? widget.palette().brush(QPalette::Disabled, QPalette::Text)
                                 : QBrush());
    item.setToolTip(0, silent ? QString::fromUtf8(NoSoundTip) : QString());
}

void SourceTree::showOnlyMissing(bool only)
{
    for (QTreeWidgetItemIterator it(&widget); *it != nullptr; ++it) {
        const LexItem *node = itemNode(*it);
        const bool wanted = node == nullptr || (*it)->parent() == nullptr ||
                            gaps.lacksSound(*node) || gaps.missingBelow(*node) > 0;
        (*it)->setHidden(only && !wanted);
    }
}

bool SourceTree::offerRecording(const LexItem &node)
{
    if (!gaps.lacksSound(node) || !session.hooks.replaceInPlayer)
        return false;
    const MessageAnswer answer = session.context.ui.showMessage(
        {session.caption(), OfferHead + node.GetText() + OfferTail, MessageIcon::Question,
         MessageButtons::YesNo, MessageAnswer::Yes});
    if (answer != MessageAnswer::Yes)
        return true;
    session.hooks.replaceInPlayer(node.GetText(), node.GetChunk());
    refreshMissing();
    return true;
}

} // namespace vorela
