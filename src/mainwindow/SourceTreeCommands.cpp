// The source tree's commands that open other windows: recording, importing and listening to
// lexemes, the lexeme table editor, and deletion.
#include "mainwindow/SourceTree.h"

#include "mainwindow/EditorSession.h"
#include "mainwindow/SourceDeletion.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/TreeItems.h"
#include "stores/LexItem.h"
#include "trees/TreeRules.h"

namespace vorela {

static constexpr const char *NewLexemeText = "Новая лексема";
constexpr std::uint64_t CurrentTimeFunction = 2;
constexpr std::uint64_t LastSilentFunction = 12;

void SourceTree::createLexemeFromPlayer()
{
    QTreeWidgetItem *selected = widget.currentItem();
    const LexItem *node = itemNode(selected);
    if (!session.ready || node == nullptr || !node->IsFolder() || !session.hooks.createInPlayer)
        return;
    if (const std::optional<CreatedLexeme> created = session.hooks.createInPlayer(storeChunks()))
        addRecordedLexeme(*selected, NewLexemeText, created->chunkId);
}

void SourceTree::createLexemeFromFile()
{
    QTreeWidgetItem *selected = widget.currentItem();
    const LexItem *node = itemNode(selected);
    if (!session.ready || node == nullptr || !node->IsFolder() || !session.hooks.createFromFile)
        return;
    if (const std::optional<CreatedLexeme> created = session.hooks.createFromFile(storeChunks()))
        addRecordedLexeme(*selected, created->name.empty() ? NewLexemeText : created->name,
                          created->chunkId);
}

void SourceTree::replaceFromPlayer()
{
    const LexItem *node = itemNode(widget.currentItem());
    if (!session.ready || node == nullptr || node->IsFolder() || !session.hooks.replaceInPlayer)
        return;
    session.hooks.replaceInPlayer(node->GetText(), node->GetChunk());
    refreshMissing();
}

void SourceTree::replaceFromFile()
{
    const LexItem *node = itemNode(widget.currentItem());
    if (!session.ready || node == nullptr || node->IsFolder() || !session.hooks.replaceFromFile)
        return;
    session.hooks.replaceFromFile(node->GetText(), node->GetChunk());
    refreshMissing();
}

void SourceTree::recordMissing()
{
    const LexItem *node = itemNode(widget.currentItem());
    if (!session.ready || node == nullptr || !session.hooks.recordMissing)
        return;
    if (!node->IsFolder() && node != &session.context.lexemeRoot)
        return;
    session.hooks.recordMissing(*node);
    refreshMissing();
}

void SourceTree::editTable()
{
    QTreeWidgetItem *selected = widget.currentItem();
    LexItem *node = itemNode(selected);
    LexItem *parentNode = selected != nullptr ? itemNode(selected->parent()) : nullptr;
    if (node == nullptr || parentNode == nullptr || !session.hooks.editLexemeTable)
        return;
    session.hooks.editLexemeTable(session.window, *node, *parentNode);
    refreshMissing();
}

void SourceTree::removeSelected()
{
    if (QTreeWidgetItem *selected = widget.currentItem())
        deletion->run(*selected);
    refreshMissing();
}

void SourceTree::listen(QTreeWidgetItem *item)
{
    const LexItem *node = itemNode(item);
    if (!session.ready || node == nullptr || node->IsFolder())
        return;
    const std::string chunk = node->GetChunk();
    if (isFunctionChunk(chunk)) {
        const std::uint64_t number = functionNumber(chunk);
        // Only the current time can be spoken without a task's data; entries above 12 only mark.
        if ((number != CurrentTimeFunction && number <= LastSilentFunction) ||
            !session.hooks.playFunctionEntry)
            return;
        session.ready = false;
        session.stopRequested = false;
        if (session.hooks.playFunctionEntry(number, reinterpret_cast<std::uintptr_t>(item)))
            return;
        session.ready = true;
        session.stopRequested = true;
        return;
    }
    if (chunk.starts_with('#')) {
        widget.setCurrentItem(item);
        editTable();
        return;
    }
    if (offerRecording(*node))
        return;
    if (session.hooks.listenLexeme)
        session.hooks.listenLexeme(node->GetText(), chunk);
}

} // namespace vorela
