// One drag move over the task tree (of a lexeme, of the boundary, of a template item) on a store
// of 10,010 lexeme nodes and 200 templates: what the operator's mouse waits for while dragging.
#include "LargeStoreShape.h"
#include "OffscreenApplication.h"
#include "mainwindow/Form1.h"
#include "mainwindow/TaskTree.h"
#include "mainwindow/TaskTreeWidget.h"
#include "mainwindow/TemplateDrop.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "platform/qt/QtUiServices.h"
#include "soundbank/SoundBank.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "tables/DbfTaskTableQuery.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QTimer>
#include <QTreeWidgetItem>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace vorela {

namespace {

void require(bool done)
{
    if (!done)
        std::abort();
}

// The lexeme tree in one transaction. Subkeys list in folded-name order, so the boundary at
// 9\9\99\ is the last node a search of the store meets.
void buildLexemes(RegistryStore &store)
{
    RegistryTransaction transaction(store);
    LexItem root(store);
    for (int top = 0; top < TopFolders; ++top) {
        LexItem &topNode = *root.GetChild(
            root.AppendChild("Папка " + std::to_string(top), "", 4, 1, FolderMask, ""));
        for (int sub = 0; sub < SubFolders; ++sub) {
            LexItem &subNode = *topNode.GetChild(
                topNode.AppendChild("Вложенная " + std::to_string(sub), "", 4, 1, FolderMask, ""));
            for (int leaf = 0; leaf < LexemesPerFolder; ++leaf) {
                const int number = (top * SubFolders + sub) * LexemesPerFolder + leaf;
                const bool boundary = top == 8 && sub == 8 && leaf == 98;
                const std::string name =
                    boundary
                        ? subNode.AppendChild("Граница", "____", 2, 0, 0, "")
                        : subNode.AppendChild("Лексема " + std::to_string(number),
                                              std::to_string(1000 + number), 4, 0, LexemeMask, "");
                require(!name.empty());
            }
        }
    }
    require(transaction.commit());
}

void buildTemplates(RegistryStore &store, const DataDirectory &dataDirectory)
{
    for (int task = 0; task < Tasks; ++task) {
        for (int op = 0; op < OperatorsPerTask; ++op)
            require(store
                        .createKey(std::string(TasksRootPath) + "Задание " + std::to_string(task) +
                                   "\\Операторы\\Оператор " + std::to_string(op) + "\\")
                        .isOpen());
    }
    Aliases aliases(store, dataDirectory);
    for (const std::string &task : aliases.GetTaskNames()) {
        for (const std::string &op : aliases.GetOperatorNames(task)) {
            std::string newName;
            for (int item = 0; item < ItemsPerTemplate; ++item)
                require(aliases.InsertTemplateItem(
                    task, op, newName, {.path = "1\\1\\" + std::to_string(item + 1) + "\\"},
                    newName));
        }
    }
}

// The store, the main window over it with one operator open, and the row a drag rests on;
// built once for every benchmark, as building the store takes seconds.
class DragScene {
public:
    DragScene()
        : dir(std::filesystem::temp_directory_path() / "vorela-bench-drop"), dataDirectory(dir)
    {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::string error;
        store = RegistryStore::open(dataDirectory.registry(), error);
        require(store != nullptr);
        buildLexemes(*store);
        buildTemplates(*store, dataDirectory);
        root = std::make_unique<LexItem>(*store);
        bank = std::make_unique<SoundBank>(dataDirectory, ui);
        form =
            std::make_unique<Form1>(EditorContext{*store, *root, dataDirectory, ui, tables, *bank});
        form->resize(900, 700);
        form->showWindow();
        TaskTreeWidget &tree = form->taskTree().tree();
        operatorItem = tree.topLevelItem(0)->child(0)->child(0);
        form->taskTree().expandBranch(*operatorItem->parent());
        form->taskTree().expandBranch(*operatorItem);
        QTreeWidgetItem *target = operatorItem->child(ItemsPerTemplate / 2);
        tree.scrollToItem(target);
        QCoreApplication::processEvents();
        point = tree.visualItemRect(target).center();
        require(tree.itemAt(point) == target);
    }

    ~DragScene()
    {
        form->templateDrop().expandTimer->stop();
        form->close();
        form.reset();
        std::filesystem::remove_all(dir);
    }

    DragScene(const DragScene &) = delete;
    DragScene &operator=(const DragScene &) = delete;

    [[nodiscard]] QMimeData *lexeme(const std::string &top, const std::string &sub,
                                    const std::string &leaf) const
    {
        return TemplateDrop::sourceMimeData(*root->GetChild(top)->GetChild(sub)->GetChild(leaf));
    }

    [[nodiscard]] QMimeData *firstTemplateItem() const
    {
        return TemplateDrop::moveMimeData(*operatorItem->child(0), QPoint(-1, -1));
    }

    // The drag enters the tree, then each iteration is one move over the target row.
    void moveOver(benchmark::State &state, QMimeData *carried)
    {
        const std::unique_ptr<QMimeData> data(carried);
        QWidget *viewport = form->taskTree().tree().viewport();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        for (auto _ : state) {
            QDragMoveEvent move(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
            if (!move.isAccepted())
                state.SkipWithError("the move was refused");
        }
        QDragLeaveEvent leave;
        QApplication::sendEvent(viewport, &leave);
    }

private:
    std::filesystem::path dir;
    DataDirectory dataDirectory;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<LexItem> root;
    QtUiServices ui;
    const DbfTaskTableQuery tables;
    std::unique_ptr<SoundBank> bank;
    std::unique_ptr<Form1> form;
    QTreeWidgetItem *operatorItem = nullptr;
    QPoint point;
};

DragScene &scene()
{
    offscreenApplication();
    static DragScene built;
    return built;
}

// A lexeme dragged over a template item of an open operator.
void dragLexemeOverTemplateItem(benchmark::State &state)
{
    scene().moveOver(state, scene().lexeme("5", "5", "50"));
}
BENCHMARK(dragLexemeOverTemplateItem)->Unit(benchmark::kMillisecond);

// The boundary, which a template may hold once only: its path is looked up in the store.
void dragBoundaryOverTemplateItem(benchmark::State &state)
{
    scene().moveOver(state, scene().lexeme("9", "9", "99"));
}
BENCHMARK(dragBoundaryOverTemplateItem)->Unit(benchmark::kMillisecond);

// A template item moved within its template, among the 200 templates shown.
void dragTemplateItemWithinItsTemplate(benchmark::State &state)
{
    scene().moveOver(state, scene().firstTemplateItem());
}
BENCHMARK(dragTemplateItemWithinItsTemplate)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace vorela
