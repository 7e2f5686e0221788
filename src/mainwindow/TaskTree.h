// The task tree tv_1: tasks, their operators and each operator's template items, its context
// menu commands, and the template operations the source tree and the drops use.
#pragma once

#include "platform/Clock.h"
#include "stores/PatternItem.h"
#include "stores/Patterns.h"
#include "trees/TreeRules.h"

#include <QIcon>
#include <QList>
#include <QObject>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTimer;
class QTreeWidgetItem;

namespace vorela {

class Aliases;
class TaskTreeWidget;
struct EditorSession;
struct MainMenus;

class TaskTree : public QObject {
    Q_OBJECT

public:
    TaskTree(EditorSession &session, TaskTreeWidget &tree, MainMenus &menus, QObject *parent);
    ~TaskTree() override;

    /// Loads the task configuration and fills the tree in sorted order.
    void build();
    /// The task configuration; replaced by every refresh.
    [[nodiscard]] Aliases &taskConfig() { return *config; }
    [[nodiscard]] TaskTreeWidget &tree() { return widget; }
    [[nodiscard]] const QList<QIcon> &images() const { return imageList; }

    /// The operator item of an operator or template item; null for the root and tasks.
    [[nodiscard]] static QTreeWidgetItem *operatorItemOf(QTreeWidgetItem *item);
    [[nodiscard]] static std::string taskNameOf(const QTreeWidgetItem &operatorItem);
    [[nodiscard]] static std::string operatorNameOf(const QTreeWidgetItem &operatorItem);
    /// Shows the operator's template as the store now holds it, reusing the items shown, without
    /// waiting for its lock: a template that is busy or unreadable keeps its items and its
    /// operator item says so (a busy one is read again shortly). What became of the read.
    TemplateResult fillTemplate(QTreeWidgetItem &operatorItem);
    /// After a template command failed: tells the operator why, text first, unless the operator
    /// chose to stop waiting for the template.
    void showTemplateFailure(const QTreeWidgetItem &operatorItem, const std::string &text);
    /// Expands a branch and gives it the expanded image.
    void expandBranch(QTreeWidgetItem &item);
    /// Selects and shows the template item named name under operatorItem.
    void selectTemplateItem(QTreeWidgetItem &operatorItem, const std::string &name);
    /// Runs the binding dialog an item of chunk needs: the new arg (quoted for a constant), "" when
    /// the item takes no binding, nothing when the operator cancelled.
    [[nodiscard]] std::optional<std::string> askBinding(const QTreeWidgetItem &operatorItem,
                                                        const std::string &itemText,
                                                        const std::string &chunk,
                                                        const std::string &currentArg);
    /// Path of the boundary lexeme, "" when the store has none.
    [[nodiscard]] std::string boundaryPath() const;

    /// Every operator item shown.
    [[nodiscard]] std::vector<QTreeWidgetItem *> operatorItems() const;
    /// Refills every operator shown, so the tree holds the templates as stored now.
    void refillAll();
    /// Marks (or unmarks) bold every template item referring to path, opening its branches;
    /// true when there was one.
    bool markItemsWithPath(const std::string &path, bool bold);
    /// Tells the operator that the lexeme at path could not be put into a template.
    void showInsertFailure(const QTreeWidgetItem &operatorItem, const std::string &path);
    /// An information box captioned with the window's title.
    void showInformation(const std::string &text);

    /// Context menu state for the selected item.
    void prepareMenu();
    void listen();
    void stop();
    void removeItem();
    void clear();
    void insertBoundary();
    void editProperties();
    void refresh();
    /// "Проверить по таблице...": the selected task's or operator's templates against every
    /// record of the task's table.
    void checkTable();
    /// Double click: speaks one template item.
    void speakItem(QTreeWidgetItem *item);

private:
    /// Loads the task configuration afresh, warning when its defaults could not be written.
    void loadConfig();
    [[nodiscard]] QTreeWidgetItem *rootItem() const;
    QTreeWidgetItem *addTask(const std::string &task);
    QTreeWidgetItem *addOperator(QTreeWidgetItem &taskItem, const std::string &operatorName);
    void showItem(QTreeWidgetItem &child, const PatternItem &pattern);
    [[nodiscard]] std::string lexemeText(const std::string &path) const;
    /// The template as stored now, waiting (and asking) while it is busy; empty after telling
    /// why it could not be read.
    [[nodiscard]] std::optional<std::vector<PatternItem>>
    storedTemplate(const QTreeWidgetItem &operatorItem);
    /// Lets the template commands wait for a busy template, asking the operator now and then.
    void useCommandWait();
    /// Asked while a command waits for a busy template: whether to wait on.
    [[nodiscard]] bool keepWaiting(const std::string &task, const std::string &operatorName);
    /// Shows on the operator item whether its template could be read.
    void markOperator(QTreeWidgetItem &operatorItem, const TemplateResult &read);
    /// Reads again the templates shown as busy.
    void retryBusy();
    void play(const std::vector<QTreeWidgetItem *> &items);
    void showTemplateMenu(const QPoint &position);
    void setBranchImage(QTreeWidgetItem *item, int image);
    /// Plays an operator's template with a record chosen in the player, as "Пpослушать" does.
    void listenToRecord(const std::string &task, const std::string &operatorName,
                        std::optional<std::uint32_t> record);

    EditorSession &session;
    TaskTreeWidget &widget;
    MainMenus &menus;
    QList<QIcon> imageList;
    std::unique_ptr<Aliases> config;
    QTimer *busyRetry;
    SystemClock clock; // today and now for the check by table
};

} // namespace vorela
