// Connects the main window's listening commands to the template player.
#include "app/EditorPlayback.h"

#include "mainwindow/Form1.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/TaskTreeWidget.h"
#include "platform/RegistryValue.h"
#include "platform/qt/QtText.h"
#include "stores/Aliases.h"
#include "tables/TaskTableQuery.h"

#include <QSpinBox>

#include <algorithm>
#include <string>
#include <vector>

namespace vorela {

// The task an item of the task tree belongs to; "" for the root.
static std::string taskOfItem(const QTreeWidgetItem *item)
{
    while (item != nullptr && item->parent() != nullptr && item->parent()->parent() != nullptr)
        item = item->parent();
    return item != nullptr && item->parent() != nullptr ? toUtf8(item->text(0)) : std::string();
}

// The columns the task's templates read, each once, in the order the items name them.
static std::vector<std::string> boundColumns(Aliases &taskConfig, const std::string &task)
{
    std::vector<std::string> columns;
    for (const std::string &operatorName : taskConfig.GetOperatorNames(task)) {
        for (const PatternItem &item : taskConfig.GetTemplate(task, operatorName)) {
            const bool column = !item.arg.empty() && item.arg.front() != '\'';
            const auto sameName = [&item](const std::string &name) {
                return foldRegistryName(name) == foldRegistryName(item.arg);
            };
            if (column && std::none_of(columns.begin(), columns.end(), sameName))
                columns.push_back(item.arg);
        }
    }
    return columns;
}

EditorPlayback::EditorPlayback(Form1 &form, const EditorContext &context, AudioDevice &audio)
    : player(audio, context.ui, context.dataDirectory, form.windowTitle().toStdString(), &form),
      listening(player, context.store, context.tables, clock)
{
    QObject::connect(&player, &Form3::finished, &form, &Form1::playbackFinished);
    Form1Hooks &hooks = form.hooks();
    hooks.playItems = [this, &form,
                       &lexemes = context.lexemeRoot](const std::vector<SpokenItem> &items) {
        std::vector<ListenedItem> listened;
        listened.reserve(items.size());
        for (const SpokenItem &spoken : items)
            listened.push_back({spoken.item, spoken.task, spoken.marker});
        return listening.playItems(form.taskConfig(), lexemes, listened, *form.tv_1);
    };
    hooks.playFunctionEntry = [this, &form](std::uint64_t number, std::uintptr_t marker) {
        return listening.playFunctionEntry(number, marker, *form.tv_2);
    };
    hooks.stopPlayback = [this] { listening.stop(); };

    playerBar = new PlayerBar(player, listening, context.ui, &form);
    form.addToolBar(playerBar);
    // The bar offers the records of the task whose item is current.
    QObject::connect(form.tv_1, &QTreeWidget::currentItemChanged, playerBar,
                     [this, &form](QTreeWidgetItem *item) {
                         const std::string task = taskOfItem(item);
                         if (task.empty())
                             return;
                         Aliases &taskConfig = form.taskConfig();
                         playerBar->setTable(resolveTablePath(taskConfig.GetFile(task)),
                                             boundColumns(taskConfig, task));
                     });
    // The task tree makes the task current before it chooses one of its records.
    hooks.chooseRecord = [this](std::optional<std::uint32_t> record) {
        const int number = record ? static_cast<int>(*record) : 0;
        playerBar->recordNumber->setValue(number);
        return playerBar->recordNumber->value() == number;
    };
}

} // namespace vorela
