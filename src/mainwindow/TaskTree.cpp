// The task tree tv_1: building, filling templates and the template operations shared with the
// source tree and the drops. The context menu commands are in TaskTreeCommands.cpp.
#include "mainwindow/TaskTree.h"

#include "dialogs/FormDate.h"
#include "dialogs/FormSumma.h"
#include "mainwindow/EditorSession.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/TaskTreeWidget.h"
#include "mainwindow/TreeIcons.h"
#include "mainwindow/TreeItems.h"
#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TreeItemFont.h"
#include "speech/TemplateExpansion.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "tables/TaskTableQuery.h"

#include <QTimer>

#include <algorithm>

namespace vorela {

static constexpr const char *RootText = "Шаблоны";
static constexpr const char *NoTablePathText =
    "Для данного задания не сопоставлен путь к базе данных, или он неверен.\r\nПроверьте наличие "
    "таблицы или пути к ней.";
static constexpr const char *DefaultsNotWrittenText =
    "Не удалось записать в реестр значения по умолчанию для заданий и операторов. "
    "Задания показаны такими, какими они хранятся сейчас.";

static constexpr const char *BusyMark = " (занят)";
static constexpr const char *UnreadableMark = " (не читается)";
static constexpr const char *BusyQuestion =
    "Шаблон «%1 / %2» занят приложением оповещения. Повторить — ждать дальше, Отмена — "
    "прекратить ожидание (шаблон останется как был).";
static constexpr const char *UnreadableText = "Шаблон «%1 / %2» не удалось прочитать:\n%3";
// The operator's name; the item's text may carry a mark after it.
static constexpr int OperatorNameRole = Qt::UserRole + 3;
// A command waits this long for a busy template before it asks whether to wait on.
static constexpr std::chrono::milliseconds CommandWaitSlice{500};
static constexpr std::chrono::milliseconds BusyRetryInterval{1000};

// Tasks and operators stand in alphabetical order whatever their order in the store.
static int sortedPosition(const QTreeWidgetItem &parent, const QString &text)
{
    for (int i = 0; i < parent.childCount(); ++i) {
        if (QString::compare(parent.child(i)->text(0), text, Qt::CaseInsensitive) > 0)
            return i;
    }
    return parent.childCount();
}

TaskTree::TaskTree(EditorSession &editorSession, TaskTreeWidget &tree, MainMenus &mainMenus,
                   QObject *parent)
    : QObject(parent), session(editorSession), widget(tree), menus(mainMenus),
      imageList(taskImageList()), busyRetry(new QTimer(this))
{
    busyRetry->setObjectName("busyRetry");
    busyRetry->setSingleShot(true);
    busyRetry->setInterval(BusyRetryInterval);
    connect(busyRetry, &QTimer::timeout, this, &TaskTree::retryBusy);
    connect(&widget, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *item) { setBranchImage(item, BranchExpandedImage); });
    connect(&widget, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem *item) { setBranchImage(item, BranchCollapsedImage); });
    connect(&widget, &QTreeWidget::itemDoubleClicked, this, &TaskTree::speakItem);
    connect(&widget, &TaskTreeWidget::refreshRequested, this, &TaskTree::refresh);
    connect(&widget, &QWidget::customContextMenuRequested, this, &TaskTree::showTemplateMenu);
    connect(menus.listen, &QAction::triggered, this, &TaskTree::listen);
    connect(menus.stop, &QAction::triggered, this, &TaskTree::stop);
    connect(menus.removeItem, &QAction::triggered, this, &TaskTree::removeItem);
    connect(menus.clear, &QAction::triggered, this, &TaskTree::clear);
    connect(menus.boundary, &QAction::triggered, this, &TaskTree::insertBoundary);
    connect(menus.properties, &QAction::triggered, this, &TaskTree::editProperties);
    connect(menus.refresh, &QAction::triggered, this, &TaskTree::refresh);
    connect(menus.checkTable, &QAction::triggered, this, &TaskTree::checkTable);
}

TaskTree::~TaskTree() = default;

void TaskTree::build()
{
    loadConfig();
    widget.clear();
    auto *root = new QTreeWidgetItem(&widget, QStringList(QString::fromUtf8(RootText)));
    setItemImage(*root, imageList, BranchCollapsedImage);
    for (const std::string &task : config->GetTaskNames())
        addTask(task);
    expandBranch(*root);
}

// What could not be written reads as empty, so the tree still shows what is stored.
void TaskTree::loadConfig()
{
    config = std::make_unique<Aliases>(session.context.store, session.context.dataDirectory);
    useCommandWait();
    if (!config->hasAllDefaults())
        session.warn(DefaultsNotWrittenText);
}

QTreeWidgetItem *TaskTree::rootItem() const
{
    return widget.topLevelItemCount() > 0 ? widget.topLevelItem(0) : nullptr;
}

QTreeWidgetItem *TaskTree::addTask(const std::string &task)
{
    QTreeWidgetItem *root = rootItem();
    auto *taskItem = new QTreeWidgetItem(QStringList(toQString(task)));
    root->insertChild(sortedPosition(*root, taskItem->text(0)), taskItem);
    setItemImage(*taskItem, imageList, BranchCollapsedImage);
    for (const std::string &operatorName : config->GetOperatorNames(task))
        addOperator(*taskItem, operatorName);
    return taskItem;
}

QTreeWidgetItem *TaskTree::addOperator(QTreeWidgetItem &taskItem, const std::string &operatorName)
{
    auto *operatorItem = new QTreeWidgetItem(QStringList(toQString(operatorName)));
    operatorItem->setData(0, OperatorNameRole, toQString(operatorName));
    taskItem.insertChild(sortedPosition(taskItem, operatorItem->text(0)), operatorItem);
    setItemImage(*operatorItem, imageList, BranchCollapsedImage);
    const TemplateResult read = fillTemplate(*operatorItem);
    if (!read.ok() && read.failure != TemplateFailure::Busy)
        session.warn(toUtf8(QString::fromUtf8(UnreadableText)
                                .arg(toQString(taskNameOf(*operatorItem)), toQString(operatorName),
                                     toQString(read.reason))));
    return operatorItem;
}

QTreeWidgetItem *TaskTree::operatorItemOf(QTreeWidgetItem *item)
{
    const int depth = itemDepth(item);
    if (depth == OperatorDepth)
        return item;
    return depth == ItemDepth ? item->parent() : nullptr;
}

std::string TaskTree::taskNameOf(const QTreeWidgetItem &operatorItem)
{
    return operatorItem.parent() != nullptr ? toUtf8(operatorItem.parent()->text(0))
                                            : std::string();
}

std::string TaskTree::operatorNameOf(const QTreeWidgetItem &operatorItem)
{
    const QVariant name = operatorItem.data(0, OperatorNameRole);
    return toUtf8(name.isValid() ? name.toString() : operatorItem.text(0));
}

std::optional<std::vector<PatternItem>>
TaskTree::storedTemplate(const QTreeWidgetItem &operatorItem)
{
    std::vector<PatternItem> items =
        config->GetTemplate(taskNameOf(operatorItem), operatorNameOf(operatorItem));
    if (config->lastTemplateResult().ok())
        return items;
    showTemplateFailure(operatorItem, {});
    return std::nullopt;
}

void TaskTree::useCommandWait()
{
    config->setTemplateWait(
        [this](const std::string &task, const std::string &operatorName) {
            return keepWaiting(task, operatorName);
        },
        CommandWaitSlice);
}

bool TaskTree::keepWaiting(const std::string &task, const std::string &operatorName)
{
    const QString text =
        QString::fromUtf8(BusyQuestion).arg(toQString(task), toQString(operatorName));
    return session.context.ui.showMessage({session.caption(), toUtf8(text), MessageIcon::Warning,
                                           MessageButtons::RetryCancel, MessageAnswer::Retry}) ==
           MessageAnswer::Retry;
}

void TaskTree::showTemplateFailure(const QTreeWidgetItem &operatorItem, const std::string &text)
{
    const TemplateResult result = config->lastTemplateResult();
    // The operator stopped waiting: nothing changed, and he knows why.
    if (result.failure == TemplateFailure::Busy)
        return;
    // A failed store write needs no more words; a lock or a task gone does.
    const bool plain = result.failure == TemplateFailure::Refused ||
                       result.failure == TemplateFailure::StoreFailed || result.ok();
    if (plain && !text.empty()) {
        showInformation(text);
        return;
    }
    const QString problem =
        QString::fromUtf8(UnreadableText)
            .arg(toQString(taskNameOf(operatorItem)), toQString(operatorNameOf(operatorItem)),
                 toQString(result.reason));
    showInformation(text.empty() ? toUtf8(problem) : text + "\n" + toUtf8(problem));
}

void TaskTree::markOperator(QTreeWidgetItem &operatorItem, const TemplateResult &read)
{
    QString text = toQString(operatorNameOf(operatorItem));
    if (read.failure == TemplateFailure::Busy)
        text += QString::fromUtf8(BusyMark);
    else if (!read.ok())
        text += QString::fromUtf8(UnreadableMark);
    operatorItem.setText(0, text);
    operatorItem.setToolTip(0, read.ok() ? QString() : toQString(read.reason));
}

void TaskTree::retryBusy()
{
    for (QTreeWidgetItem *operatorItem : operatorItems()) {
        if (operatorItem->text(0).endsWith(QString::fromUtf8(BusyMark)))
            fillTemplate(*operatorItem);
    }
}

std::string TaskTree::lexemeText(const std::string &path) const
{
    bool found = false;
    return session.context.lexemeRoot.GetTextAt(path, found);
}

void TaskTree::showItem(QTreeWidgetItem &child, const PatternItem &pattern)
{
    bool found = false;
    const unsigned kind = session.context.lexemeRoot.GetIconAt(pattern.path, found);
    child.setText(0, toQString(templateItemText(session.context.lexemeRoot, pattern)));
    setItemPattern(child, pattern);
    setItemImage(child, imageList, templateItemImage(found ? std::optional(kind) : std::nullopt));
    child.setFlags(child.flags() | Qt::ItemIsDragEnabled);
}

TemplateResult TaskTree::fillTemplate(QTreeWidgetItem &operatorItem)
{
    // Filling never waits: the window stays usable while the notification application reads.
    config->setTemplateWait([](const std::string &, const std::string &) { return false; },
                            std::chrono::milliseconds(0));
    const std::vector<PatternItem> items =
        config->GetTemplate(taskNameOf(operatorItem), operatorNameOf(operatorItem));
    const TemplateResult read = config->lastTemplateResult();
    useCommandWait();
    markOperator(operatorItem, read);
    if (read.failure == TemplateFailure::Busy)
        busyRetry->start();
    if (!read.ok())
        return read;
    const int shown = std::min(operatorItem.childCount(), static_cast<int>(items.size()));
    for (int i = 0; i < shown; ++i)
        showItem(*operatorItem.child(i), items[static_cast<std::size_t>(i)]);
    while (operatorItem.childCount() > static_cast<int>(items.size()))
        delete operatorItem.takeChild(operatorItem.childCount() - 1);
    for (std::size_t i = static_cast<std::size_t>(shown); i < items.size(); ++i)
        showItem(*new QTreeWidgetItem(&operatorItem), items[i]);
    return read;
}

void TaskTree::expandBranch(QTreeWidgetItem &item)
{
    item.setExpanded(true);
    setItemImage(item, imageList, BranchExpandedImage);
}

void TaskTree::setBranchImage(QTreeWidgetItem *item, int image)
{
    if (item != nullptr && itemDepth(item) < ItemDepth)
        setItemImage(*item, imageList, image);
}

void TaskTree::selectTemplateItem(QTreeWidgetItem &operatorItem, const std::string &name)
{
    for (int i = 0; i < operatorItem.childCount(); ++i) {
        QTreeWidgetItem *child = operatorItem.child(i);
        if (itemPattern(*child).name != name)
            continue;
        widget.setCurrentItem(child);
        widget.scrollToItem(child);
        return;
    }
}

std::optional<std::string> TaskTree::askBinding(const QTreeWidgetItem &operatorItem,
                                                const std::string &itemText,
                                                const std::string &chunk,
                                                const std::string &currentArg)
{
    const std::optional<ItemBinding> choice = bindingChoice(chunk);
    if (!choice)
        return std::string();
    const std::string task = taskNameOf(operatorItem);
    const std::string file = config->GetFile(task);
    const std::optional<std::filesystem::path> table = resolveTablePath(file);
    BindingRequest request;
    request.mode = choice->mode;
    request.caption = itemText + ": " + task + "\\" + operatorNameOf(operatorItem);
    request.pathText = table ? file : std::string(NoTablePathText);
    request.noDatabase = !table;
    request.notes = config->GetComm(task);
    request.binding = currentArg;
    if (!choice->unitLabel.empty()) {
        request.unitLabel = choice->unitLabel;
        request.subunitLabel = choice->subunitLabel;
    }
    request.tablePath = table.value_or(std::filesystem::path());

    std::string result;
    int code = BindingCancelled;
    if (choice->mode == BindingMode::Date) {
        FormDate dialog(request, session.context.tables, session.context.ui, result,
                        &session.window);
        QtModalDialog modal(dialog, "FormDate");
        code = session.context.ui.runDialog(modal);
    } else {
        FormSumma dialog(request, session.context.tables, session.context.ui, result,
                         &session.window);
        QtModalDialog modal(dialog, "FormSumma");
        code = session.context.ui.runDialog(modal);
    }
    if (code == BindingCancelled)
        return std::nullopt;
    return code == BindingConstantChosen ? "'" + result + "'" : result;
}

std::string TaskTree::boundaryPath() const
{
    return FindLexemePath(session.context.store, BoundaryChunk);
}

std::vector<QTreeWidgetItem *> TaskTree::operatorItems() const
{
    std::vector<QTreeWidgetItem *> result;
    const QTreeWidgetItem *root = rootItem();
    for (int t = 0; root != nullptr && t < root->childCount(); ++t) {
        for (int o = 0; o < root->child(t)->childCount(); ++o)
            result.push_back(root->child(t)->child(o));
    }
    return result;
}

void TaskTree::refillAll()
{
    for (QTreeWidgetItem *operatorItem : operatorItems())
        fillTemplate(*operatorItem);
}

bool TaskTree::markItemsWithPath(const std::string &path, bool bold)
{
    bool marked = false;
    for (QTreeWidgetItem *operatorItem : operatorItems()) {
        for (int i = 0; i < operatorItem->childCount(); ++i) {
            QTreeWidgetItem *child = operatorItem->child(i);
            if (itemPattern(*child).path != path)
                continue;
            marked = true;
            setItemBold(*child, bold);
            if (!bold)
                continue;
            expandBranch(*rootItem());
            expandBranch(*operatorItem->parent());
            expandBranch(*operatorItem);
            widget.scrollToItem(child);
        }
    }
    return marked;
}

void TaskTree::showInformation(const std::string &text)
{
    session.inform(text);
}

} // namespace vorela
