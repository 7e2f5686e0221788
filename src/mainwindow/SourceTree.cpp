// The source tree tv_2: building, images, context menu, label editing and the commands.
#include "mainwindow/SourceTree.h"

#include "mainwindow/EditorSession.h"
#include "mainwindow/LabelEditDelegate.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/SourceDeletion.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/TreeIcons.h"
#include "mainwindow/TreeItems.h"
#include "platform/RegistryTransaction.h"
#include "platform/qt/QtText.h"
#include "soundeditor/window/SoundEditorCommands.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"
#include "stores/LexemeTable.h"
#include "trees/TreeRules.h"

#include <vector>

namespace vorela {

static constexpr const char *NewFolderText = "Новая папка";
static constexpr const char *NewTableText = "Новая таблица";
static constexpr const char *RootFallbackText = "Лексемы и функции";
static constexpr const char *FolderNotCreatedText = "Не удалось создать новую папку.";
static constexpr const char *TableNotCreatedText = "Не удалось создать новую таблицу.";
static constexpr const char *RenameFailedHead = "Не удалось переименовать '";
static constexpr const char *RenameFailedTail = "'.";
constexpr unsigned FolderKind = 4;
constexpr unsigned TableKind = 6;

SourceTree::SourceTree(EditorSession &editorSession, SourceTreeWidget &tree, MainMenus &mainMenus,
                       TaskTree &tasks, QLabel &statusText, QObject *parent)
    : QObject(parent), session(editorSession), widget(tree), menus(mainMenus), status(statusText),
      imageList(sourceImageList()),
      deletion(std::make_unique<SourceDeletion>(editorSession, tree, tasks, statusText))
{
    auto *delegate = new LabelEditDelegate(&widget);
    widget.setItemDelegate(delegate);
    connect(delegate, &LabelEditDelegate::labelEdited, this,
            [this](const QModelIndex &index, const QString &text) {
                finishRename(widget.itemFromIndex(index), text);
            });
    connect(&widget, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *item) { setKindImage(item, true); });
    connect(&widget, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem *item) { setKindImage(item, false); });
    connect(&widget, &QTreeWidget::itemDoubleClicked, this, &SourceTree::listen);
    connect(&widget, &SourceTreeWidget::renameRequested, this, &SourceTree::renameFromKey);
    connect(&widget, &QWidget::customContextMenuRequested, this, &SourceTree::showSourceMenu);
    connect(menus.replaceFromPlayer, &QAction::triggered, this, &SourceTree::replaceFromPlayer);
    connect(menus.replaceFromFile, &QAction::triggered, this, &SourceTree::replaceFromFile);
    connect(menus.createFromPlayer, &QAction::triggered, this, &SourceTree::createLexemeFromPlayer);
    connect(menus.createFromFile, &QAction::triggered, this, &SourceTree::createLexemeFromFile);
    connect(menus.recordMissing, &QAction::triggered, this, &SourceTree::recordMissing);
    connect(menus.createFolder, &QAction::triggered, this, &SourceTree::createFolder);
    connect(menus.rename, &QAction::triggered, this, [this] { beginRename(widget.currentItem()); });
    connect(menus.removeSource, &QAction::triggered, this, &SourceTree::removeSelected);
    connect(menus.createTable, &QAction::triggered, this, &SourceTree::createTable);
    connect(menus.editTable, &QAction::triggered, this, &SourceTree::editTable);
    connect(menus.onlyMissing, &QAction::toggled, this, &SourceTree::showOnlyMissing);
}

SourceTree::~SourceTree() = default;

void SourceTree::build()
{
    widget.clear();
    // One snapshot of the store for every node shown and marked.
    const RegistryReadTransaction snapshot(session.context.store);
    LexItem &root = session.context.lexemeRoot;
    // A store whose root key carries no name still shows the operator what the tree is.
    const std::string rootText = root.GetText();
    auto *rootItem = new QTreeWidgetItem(
        &widget, QStringList(toQString(rootText.empty() ? RootFallbackText : rootText)));
    setItemNode(*rootItem, &root);
    setItemImage(*rootItem, imageList, 0);
    rootItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    addChildItems(*rootItem, root);
    rootItem->setExpanded(true);
    refreshMissing();
}

void SourceTree::addChildItems(QTreeWidgetItem &parentItem, const LexItem &node)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        QTreeWidgetItem *item =
            addItem(parentItem, *child, sourceItemImage(child->GetIcon(), child->IsFolder()));
        if (child->IsFolder())
            addChildItems(*item, *child);
    }
}

QTreeWidgetItem *SourceTree::addItem(QTreeWidgetItem &parentItem, LexItem &node, int index)
{
    auto *item = new QTreeWidgetItem(&parentItem, QStringList(toQString(node.GetText())));
    setItemNode(*item, &node);
    setItemImage(*item, imageList, index);
    if (labelEditAllowed(node.GetMask()))
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

void SourceTree::setKindImage(QTreeWidgetItem *item, bool expanded)
{
    const LexItem *node = itemNode(item);
    // Only folders open and close; a leaf "expanded" by expand-all keeps its own image.
    if (node == nullptr || !node->IsFolder())
        return;
    const unsigned kind = node->GetIcon();
    setItemImage(*item, imageList,
                 expanded ? sourceExpandedImage(kind) : sourceCollapsedImage(kind));
}

void SourceTree::showSourceMenu(const QPoint &position)
{
    if (QTreeWidgetItem *item = widget.itemAt(position))
        widget.setCurrentItem(item);
    prepareMenu();
    menus.sourceMenu->popup(widget.viewport()->mapToGlobal(position));
}

void SourceTree::prepareMenu()
{
    const LexItem *node = itemNode(widget.currentItem());
    const unsigned mask = node != nullptr ? node->GetMask() : 0;
    for (int position = 0; position <= 8; ++position)
        menus.sourcePositions[static_cast<std::size_t>(position)]->setEnabled(
            sourceMenuEnabled(mask, position));
    // The greeting phrase must carry a signature: it only ever comes from a signed file.
    menus.replaceFromPlayer->setEnabled(node != nullptr && node->GetChunk() != GreetingChunkId);
    menus.recordMissing->setEnabled(node != nullptr &&
                                    (node->IsFolder() || node == &session.context.lexemeRoot));
}

void SourceTree::beginRename(QTreeWidgetItem *item)
{
    const LexItem *node = itemNode(item);
    if (node == nullptr || !labelEditAllowed(node->GetMask()))
        return;
    widget.scrollToItem(item);
    widget.editItem(item);
}

void SourceTree::renameFromKey(QTreeWidgetItem *item)
{
    const LexItem *node = itemNode(item);
    if (node != nullptr && node->GetIcon() == FolderKind)
        beginRename(item);
}

void SourceTree::finishRename(QTreeWidgetItem *item, const QString &text)
{
    LexItem *node = itemNode(item);
    LexItem *parentNode = item != nullptr ? itemNode(item->parent()) : nullptr;
    if (node == nullptr || parentNode == nullptr)
        return;
    const std::string stored = node->GetText();
    const bool renamed = parentNode->SetChildText(node->GetName(), toUtf8(text));
    item->setText(0, toQString(node->GetText()));
    if (!renamed)
        session.inform(RenameFailedHead + stored + RenameFailedTail);
}

void SourceTree::showAndEdit(QTreeWidgetItem &item)
{
    widget.setCurrentItem(&item);
    widget.scrollToItem(&item);
    beginRename(&item);
}

void SourceTree::createFolder()
{
    QTreeWidgetItem *selected = widget.currentItem();
    LexItem *node = itemNode(selected);
    LexItem *parentNode = selected != nullptr ? itemNode(selected->parent()) : nullptr;
    if (node == nullptr || parentNode == nullptr)
        return;
    const std::string name = parentNode->AddFolderToChild(node->GetName(), NewFolderText,
                                                          FolderKind, 1, TableFolderMask);
    const std::shared_ptr<LexItem> folder = name.empty() ? nullptr : node->GetChild(name);
    if (!folder) {
        session.inform(FolderNotCreatedText);
        return;
    }
    // Folders stand ahead of lexemes: after the last child item that is a folder.
    int position = 0;
    for (int i = 0; i < selected->childCount(); ++i) {
        const LexItem *childNode = itemNode(selected->child(i));
        if (childNode != nullptr && childNode->IsFolder())
            position = i + 1;
    }
    QTreeWidgetItem *item = addItem(*selected, *folder, sourceItemImage(FolderKind, true));
    selected->removeChild(item);
    selected->insertChild(position, item);
    showAndEdit(*item);
}

void SourceTree::createTable()
{
    QTreeWidgetItem *selected = widget.currentItem();
    LexItem *node = itemNode(selected);
    LexItem *parentNode = selected != nullptr ? itemNode(selected->parent()) : nullptr;
    if (node == nullptr || parentNode == nullptr)
        return;
    const std::string name =
        parentNode->AddToChild(node->GetName(), NewTableText, std::string(LexemeTableChunkId),
                               TableKind, 0, LexemeTableMask);
    const std::shared_ptr<LexItem> table = name.empty() ? nullptr : node->GetChild(name);
    if (!table) {
        session.inform(TableNotCreatedText);
        return;
    }
    showAndEdit(*addItem(*selected, *table, sourceItemImage(TableKind, false)));
    refreshMissing();
}

std::vector<std::string> SourceTree::storeChunks() const
{
    return collectStoreChunks(session.context.lexemeRoot);
}

void SourceTree::addRecordedLexeme(QTreeWidgetItem &folderItem, const std::string &text,
                                   const std::string &chunk)
{
    LexItem *node = itemNode(&folderItem);
    LexItem *parentNode = itemNode(folderItem.parent());
    const std::string name =
        node != nullptr && parentNode != nullptr
            ? parentNode->AddToChild(node->GetName(), text, chunk, FolderKind, 0, LexemeMask)
            : std::string();
    const std::shared_ptr<LexItem> lexeme = name.empty() ? nullptr : node->GetChild(name);
    if (!lexeme) {
        // The sound is in the bank already: without its node it would never be reached.
        SoundEditorCommands::discardNewSound(session.context.bank, session.context.ui,
                                             session.caption(), chunk);
        return;
    }
    showAndEdit(*addItem(folderItem, *lexeme, sourceItemImage(FolderKind, false)));
    refreshMissing();
}

} // namespace vorela
