// The task tree's context menu commands: listen, stop, delete, clear, boundary, properties, the
// incremental refresh and the check by table.
#include "mainwindow/TaskTree.h"

#include "dialogs/TableCheck.h"
#include "mainwindow/EditorSession.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/TaskTreeWidget.h"
#include "mainwindow/TreeItems.h"
#include "mainwindow/VersionKeeper.h"
#include "platform/RegistryStore.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "stores/Aliases.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"

#include <algorithm>
#include <set>

namespace vorela {

static constexpr const char *MissingGreetingText = "Отсутствует лексема '";
static constexpr const char *MissingGreetingTail =
    "'!\r\nБез данной лексемы шаблон неработоспособен.";
static constexpr const char *NotRemovableText = "Лексема '";
static constexpr const char *NotRemovableTail = "' не подлежит удалению!";
static constexpr const char *RemoveFailedText = "Ошибка удаления лексемы '";
static constexpr const char *RemoveFailedTail = "' !";
static constexpr const char *ClearQuestion =
    "Вы действительно желаете удалить содержимое задания '";
static constexpr const char *ClearVersionText = "Перед очисткой шаблона ";
static constexpr const char *InsertFailedText = "Не удалось вставить лексему '";
static constexpr const char *InsertFailedTail = "' в шаблон.";
static constexpr const char *UpdateFailedText = "Не удалось сохранить привязку лексемы '";
static constexpr const char *UpdateFailedTail = "'.";

static std::size_t countWithChunk(const std::vector<PatternItem> &items, std::string_view chunk)
{
    return static_cast<std::size_t>(
        std::count_if(items.begin(), items.end(),
                      [chunk](const PatternItem &item) { return item.chunk == chunk; }));
}

void TaskTree::showTemplateMenu(const QPoint &position)
{
    if (QTreeWidgetItem *item = widget.itemAt(position))
        widget.setCurrentItem(item);
    prepareMenu();
    menus.taskMenu->popup(widget.viewport()->mapToGlobal(position));
}

void TaskTree::prepareMenu()
{
    const std::optional<TaskMenuState> state =
        taskMenuState(itemDepth(widget.currentItem()), session.stopRequested);
    if (!state)
        return;
    menus.listen->setEnabled(state->listen);
    menus.stop->setEnabled(state->stop);
    menus.removeItem->setEnabled(state->remove);
    menus.clear->setEnabled(state->clear);
    menus.boundary->setEnabled(state->boundary);
    menus.properties->setEnabled(state->properties);
    menus.checkTable->setEnabled(state->checkTable);
}

void TaskTree::play(const std::vector<QTreeWidgetItem *> &items)
{
    if (items.empty() || !session.ready || !session.hooks.playItems)
        return;
    std::vector<SpokenItem> spoken;
    for (QTreeWidgetItem *item : items) {
        spoken.push_back({itemPattern(*item), taskNameOf(*item->parent()),
                          reinterpret_cast<std::uintptr_t>(item)});
    }
    session.ready = false;
    session.stopRequested = false;
    if (session.hooks.playItems(spoken))
        return;
    session.ready = true;
    session.stopRequested = true;
}

void TaskTree::listen()
{
    QTreeWidgetItem *operatorItem = operatorItemOf(widget.currentItem());
    if (operatorItem == nullptr)
        return;
    // What the notification application would speak now, not what the tree showed before.
    fillTemplate(*operatorItem);
    expandBranch(*operatorItem);
    const std::optional<std::vector<PatternItem>> stored = storedTemplate(*operatorItem);
    if (!stored)
        return;
    if (countWithChunk(*stored, GreetingChunkId) == 0) {
        const std::string greeting =
            lexemeText(FindLexemePath(session.context.store, GreetingChunkId));
        showInformation(MissingGreetingText + greeting + MissingGreetingTail);
        return;
    }
    std::vector<QTreeWidgetItem *> items;
    for (int i = 0; i < operatorItem->childCount(); ++i)
        items.push_back(operatorItem->child(i));
    play(items);
}

void TaskTree::speakItem(QTreeWidgetItem *item)
{
    if (item == nullptr || itemDepth(item) != ItemDepth)
        return;
    play({item});
}

void TaskTree::stop()
{
    session.stopRequested = true;
    if (session.hooks.stopPlayback)
        session.hooks.stopPlayback();
}

void TaskTree::removeItem()
{
    QTreeWidgetItem *item = widget.currentItem();
    if (itemDepth(item) != ItemDepth)
        return;
    QTreeWidgetItem *operatorItem = item->parent();
    const PatternItem pattern = itemPattern(*item);
    const std::string text = lexemeText(pattern.path);
    if (pattern.chunk == GreetingChunkId) {
        const std::optional<std::vector<PatternItem>> stored = storedTemplate(*operatorItem);
        if (!stored)
            return;
        if (countWithChunk(*stored, GreetingChunkId) <= 1) {
            showInformation(NotRemovableText + text + NotRemovableTail);
            return;
        }
    }
    if (!config->RemoveTemplateItem(taskNameOf(*operatorItem), operatorNameOf(*operatorItem),
                                    pattern.name)) {
        showTemplateFailure(*operatorItem, RemoveFailedText + text + RemoveFailedTail);
        return;
    }
    delete item;
}

void TaskTree::clear()
{
    QTreeWidgetItem *operatorItem = operatorItemOf(widget.currentItem());
    if (operatorItem == nullptr)
        return;
    expandBranch(*operatorItem);
    const std::string operatorName = operatorNameOf(*operatorItem);
    const MessageAnswer answer = session.context.ui.showMessage(
        {session.caption(), ClearQuestion + operatorName + "'?", MessageIcon::Question,
         MessageButtons::YesNo, MessageAnswer::No});
    if (answer != MessageAnswer::Yes)
        return;
    const std::string task = taskNameOf(*operatorItem);
    if (!VersionKeeper(session).saveBefore(ClearVersionText + task + " / " + operatorName))
        return;
    // Items another program added since the tree was filled go too.
    const std::optional<std::vector<PatternItem>> items = storedTemplate(*operatorItem);
    if (!items)
        return;
    // The greeting goes in first: a failure on the way never leaves the template without it.
    const std::string greetingPath = FindLexemePath(session.context.store, GreetingChunkId);
    std::string newName;
    if (!greetingPath.empty() &&
        !config->InsertTemplateItem(task, operatorName, "", PatternItem{.path = greetingPath},
                                    newName)) {
        showInsertFailure(*operatorItem, greetingPath);
        fillTemplate(*operatorItem);
        return;
    }
    for (const PatternItem &item : *items) {
        if (config->RemoveTemplateItem(task, operatorName, item.name))
            continue;
        showTemplateFailure(*operatorItem,
                            RemoveFailedText + lexemeText(item.path) + RemoveFailedTail);
        fillTemplate(*operatorItem);
        return;
    }
    fillTemplate(*operatorItem);
}

void TaskTree::showInsertFailure(const QTreeWidgetItem &operatorItem, const std::string &path)
{
    showTemplateFailure(operatorItem, InsertFailedText + lexemeText(path) + InsertFailedTail);
}

void TaskTree::insertBoundary()
{
    QTreeWidgetItem *selected = widget.currentItem();
    QTreeWidgetItem *operatorItem = operatorItemOf(selected);
    if (operatorItem == nullptr)
        return;
    const std::string path = boundaryPath();
    const std::optional<std::vector<PatternItem>> items = storedTemplate(*operatorItem);
    if (!items)
        return;
    const bool present =
        std::any_of(items->begin(), items->end(),
                    [&path](const PatternItem &item) { return item.path == path; });
    if (!path.empty() && !present) {
        const std::string afterName =
            itemDepth(selected) == ItemDepth ? itemPattern(*selected).name : std::string();
        std::string newName;
        const bool inserted =
            config->InsertTemplateItem(taskNameOf(*operatorItem), operatorNameOf(*operatorItem),
                                       afterName, PatternItem{.path = path}, newName);
        if (!inserted)
            showInsertFailure(*operatorItem, path);
        fillTemplate(*operatorItem);
    }
    expandBranch(*operatorItem);
}

void TaskTree::editProperties()
{
    QTreeWidgetItem *item = widget.currentItem();
    if (itemDepth(item) != ItemDepth)
        return;
    QTreeWidgetItem *operatorItem = item->parent();
    PatternItem pattern = itemPattern(*item);
    if (!bindingChoice(pattern.chunk))
        return;
    const std::optional<std::string> arg =
        askBinding(*operatorItem, toUtf8(item->text(0)), pattern.chunk, pattern.arg);
    if (!arg)
        return;
    pattern.arg = *arg;
    const bool updated = config->UpdateTemplateItem(
        taskNameOf(*operatorItem), operatorNameOf(*operatorItem), pattern.name, pattern);
    if (!updated)
        showTemplateFailure(*operatorItem,
                            UpdateFailedText + lexemeText(pattern.path) + UpdateFailedTail);
    fillTemplate(*operatorItem);
    selectTemplateItem(*operatorItem, pattern.name);
}

void TaskTree::refresh()
{
    config.reset();
    loadConfig();
    QTreeWidgetItem *root = rootItem();
    if (root == nullptr) {
        build();
        return;
    }
    const std::vector<std::string> taskNames = config->GetTaskNames();
    std::set<std::string> tasksToAdd(taskNames.begin(), taskNames.end());
    for (int t = root->childCount() - 1; t >= 0; --t) {
        QTreeWidgetItem *taskItem = root->child(t);
        const std::string task = toUtf8(taskItem->text(0));
        bool found = false;
        const std::vector<std::string> operatorNames = config->GetOperatorNames(task, found);
        if (!found) {
            delete taskItem;
            continue;
        }
        tasksToAdd.erase(task);
        std::set<std::string> operatorsToAdd(operatorNames.begin(), operatorNames.end());
        for (int o = taskItem->childCount() - 1; o >= 0; --o) {
            QTreeWidgetItem *operatorItem = taskItem->child(o);
            if (operatorsToAdd.erase(operatorNameOf(*operatorItem)) == 0)
                delete operatorItem;
        }
        for (const std::string &operatorName : operatorNames) {
            if (operatorsToAdd.count(operatorName) != 0)
                addOperator(*taskItem, operatorName);
        }
    }
    for (const std::string &task : taskNames) {
        if (tasksToAdd.count(task) != 0)
            addTask(task);
    }
}

void TaskTree::checkTable()
{
    QTreeWidgetItem *item = widget.currentItem();
    const int depth = itemDepth(item);
    if (depth < TaskDepth || depth > ItemDepth)
        return;
    const QTreeWidgetItem *operatorItem = operatorItemOf(item);
    TableCheckRequest request;
    request.task = operatorItem != nullptr ? taskNameOf(*operatorItem) : toUtf8(item->text(0));
    request.operatorName = operatorItem != nullptr ? operatorNameOf(*operatorItem) : std::string();
    request.caption = session.caption();
    if (session.hooks.chooseRecord) {
        request.playRecord = [this, task = request.task](const std::string &operatorName,
                                                         std::uint32_t record) {
            listenToRecord(task, operatorName,
                           record == EveryRecord ? std::nullopt : std::optional(record));
        };
    }
    checkByTable({session.context.store.file(), session.context.dataDirectory, clock},
                 session.context.ui, request, &session.window);
}

void TaskTree::listenToRecord(const std::string &task, const std::string &operatorName,
                              std::optional<std::uint32_t> record)
{
    const std::vector<QTreeWidgetItem *> operators = operatorItems();
    const auto found = std::find_if(operators.begin(), operators.end(), [&](QTreeWidgetItem *item) {
        return taskNameOf(*item) == task && operatorNameOf(*item) == operatorName;
    });
    if (found == operators.end() || !session.ready)
        return;
    widget.setCurrentItem(*found);
    if (session.hooks.chooseRecord(record))
        listen();
}

} // namespace vorela
