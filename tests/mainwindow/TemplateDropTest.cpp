// Dragging into templates with synthetic drag events: where drops go, which are refused, moves
// within a template, the binding dialog of a function, and the one-second expansion.
#include "MainWindowFixture.h"

#include "mainwindow/TemplateDrop.h"
#include "mainwindow/TreeItems.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QDialog>
#include <QDragMoveEvent>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>

namespace vorela::test {
namespace {

class TemplateDropTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        form->resize(900, 700);
        form->showWindow();
        taskTree().expandAll();
    }

    QPoint pointOf(QTreeWidgetItem *item)
    {
        taskTree().scrollToItem(item);
        QCoreApplication::processEvents(); // the tree lays its rows out again after a change
        return taskTree().visualItemRect(item).center();
    }

    // Enters and moves over target; drops when asked. Whether the move was accepted.
    bool drag(QMimeData *data, QTreeWidgetItem *target, bool dropIt)
    {
        const QPoint point = pointOf(target);
        EXPECT_EQ(taskTree().itemAt(point), target);
        const std::unique_ptr<QMimeData> owned(data);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QWidget *viewport = taskTree().viewport();
        QDragEnterEvent enter(point, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(point, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        if (dropIt && move.isAccepted()) {
            QDropEvent drop(QPointF(point), actions, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &drop);
        }
        form->templateDrop().expandTimer->stop();
        return move.isAccepted();
    }

    QMimeData *lexeme(const std::string &childOfCommon)
    {
        return TemplateDrop::sourceMimeData(*root->GetChild("1")->GetChild(childOfCommon));
    }

    QMimeData *moving(QTreeWidgetItem *item)
    {
        return TemplateDrop::moveMimeData(*item, QPoint(-1, -1));
    }
};

TEST_F(TemplateDropTest, LexemeGoesToTheHeadOfAnOperatorOrRightAfterAnItem)
{
    EXPECT_TRUE(drag(lexeme("2"), taskItem({"Задание Б", "Оп1"}), true));
    EXPECT_TRUE(drag(lexeme("1"), taskItem({"Задание Б", "Оп1"}), true));
    EXPECT_TRUE(drag(lexeme("3"), taskItem({"Задание Б", "Оп1", "Приветствие"}), true));
    const std::vector<std::string> expected{"Приветствие", "Граница", "Добрый день"};
    EXPECT_EQ(templateTexts("Задание Б", "Оп1"), expected);
    EXPECT_EQ(childTexts(taskItem({"Задание Б", "Оп1"})), expected);
    EXPECT_EQ(taskTree().currentItem()->text(0), "Граница");
}

TEST_F(TemplateDropTest, RefusedDrops)
{
    EXPECT_FALSE(drag(lexeme("6"), taskItem({"Задание Б", "Оп1"}), true)); // a folder
    EXPECT_FALSE(drag(lexeme("2"), taskItem({"Задание Б"}), true));
    EXPECT_FALSE(drag(lexeme("2"), taskTree().topLevelItem(0), true));
    EXPECT_TRUE(drag(lexeme("3"), taskItem({"Задание А", "Оп"}), true));
    // A second boundary in the same template is refused; another template takes one.
    EXPECT_FALSE(drag(lexeme("3"), taskItem({"Задание А", "Оп", "Приветствие"}), true));
    EXPECT_TRUE(drag(lexeme("3"), taskItem({"Задание Б", "Оп2"}), false));
    EXPECT_EQ(templateTexts("Задание А", "Оп"),
              (std::vector<std::string>{"Граница", "Приветствие", "Добрый день(Поле)"}));
    EXPECT_TRUE(templateTexts("Задание Б", "Оп1").empty());
}

TEST_F(TemplateDropTest, ItemsMoveWithinTheirTemplateOnly)
{
    QTreeWidgetItem *second = taskItem({"Задание А", "Оп", "Добрый день(Поле)"});
    EXPECT_TRUE(drag(moving(second), taskItem({"Задание А", "Оп"}), true));
    const std::vector<std::string> moved{"Добрый день(Поле)", "Приветствие"};
    EXPECT_EQ(templateTexts("Задание А", "Оп"), moved);
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})), moved);
    EXPECT_EQ(taskTree().currentItem()->text(0), "Добрый день(Поле)");

    EXPECT_TRUE(drag(moving(taskItem({"Задание А", "Оп", "Добрый день(Поле)"})),
                     taskItem({"Задание А", "Оп", "Приветствие"}), true));
    EXPECT_EQ(templateTexts("Задание А", "Оп"),
              (std::vector<std::string>{"Приветствие", "Добрый день(Поле)"}));

    EXPECT_TRUE(drag(lexeme("2"), taskItem({"Задание Б", "Оп1"}), true));
    EXPECT_FALSE(drag(moving(taskItem({"Задание А", "Оп", "Приветствие"})),
                      taskItem({"Задание Б", "Оп1", "Добрый день"}), true));
    EXPECT_FALSE(drag(moving(taskItem({"Задание А", "Оп", "Приветствие"})),
                      taskItem({"Задание Б", "Оп1"}), true));
    EXPECT_EQ(templateTexts("Задание Б", "Оп1"), (std::vector<std::string>{"Добрый день"}));
}

TEST_F(TemplateDropTest, FunctionAsksForItsBindingAndCancelAbandonsTheDrop)
{
    std::string caption;
    std::string unit;
    ui.expectDialog("FormSumma", [&](ModalDialog &dialog) {
        QDialog *window = qDialogOf(dialog);
        caption = toUtf8(window->windowTitle());
        unit = toUtf8(window->findChild<QLabel *>("label_g")->text());
        return 0;
    });
    EXPECT_TRUE(drag(lexeme("4"), taskItem({"Задание А", "Оп"}), true));
    EXPECT_EQ(caption, "Сумма: Задание А\\Оп");
    EXPECT_EQ(unit, "грн.");
    EXPECT_EQ(templateTexts("Задание А", "Оп").size(), 2U);
}

TEST_F(TemplateDropTest, TheItemThatWouldTakeTheDropIsHighlightedWhileTheDragIsOverIt)
{
    QTreeWidgetItem *target = taskItem({"Задание Б", "Оп1"});
    QTreeWidgetItem *task = taskItem({"Задание Б"});
    taskTree().setCurrentItem(taskTree().topLevelItem(0));
    QWidget *viewport = taskTree().viewport();
    // The row's colour past its text, as the operator sees it.
    const auto rowColour = [&](QTreeWidgetItem *item) {
        const int y = taskTree().visualItemRect(item).center().y();
        return viewport->grab().toImage().pixel(viewport->width() - 3, y);
    };
    const QRgb plainTarget = rowColour(target);
    const QRgb plainTask = rowColour(task);
    const std::unique_ptr<QMimeData> data(lexeme("2"));
    const auto enterAndMove = [&](std::initializer_list<QTreeWidgetItem *> items) {
        QDragEnterEvent enter(pointOf(*items.begin()), Qt::CopyAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        for (QTreeWidgetItem *item : items) {
            QDragMoveEvent move(pointOf(item), Qt::CopyAction, data.get(), Qt::LeftButton,
                                Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        form->templateDrop().expandTimer->stop();
    };
    enterAndMove({target});
    EXPECT_NE(rowColour(target), plainTarget);
    enterAndMove({target, task}); // refused: nothing is highlighted
    EXPECT_EQ(rowColour(target), plainTarget);
    EXPECT_EQ(rowColour(task), plainTask);
    enterAndMove({target});
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &leave);
    EXPECT_EQ(rowColour(target), plainTarget);

    enterAndMove({target});
    QDropEvent drop(QPointF(pointOf(target)), Qt::CopyAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_EQ(templateTexts("Задание Б", "Оп1"), std::vector<std::string>{"Добрый день"});
    EXPECT_EQ(rowColour(target), plainTarget);
}

TEST_F(TemplateDropTest, RestingOnACollapsedTaskForASecondOpensIt)
{
    QTreeWidgetItem *task = taskItem({"Задание Б"});
    task->setExpanded(false);
    QCoreApplication::processEvents(); // lets the tree lay out its rows again
    const QPoint point = pointOf(task);
    ASSERT_EQ(taskTree().itemAt(point), task);
    const std::unique_ptr<QMimeData> data(lexeme("2"));
    QDragEnterEvent enter(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(taskTree().viewport(), &enter);
    QDragMoveEvent move(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(taskTree().viewport(), &move);
    EXPECT_FALSE(move.isAccepted()); // a task takes no drop
    QTimer *timer = form->templateDrop().expandTimer;
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    QSignalSpy fired(timer, &QTimer::timeout);
    ASSERT_TRUE(fired.wait(3000));
    EXPECT_TRUE(task->isExpanded());
    EXPECT_EQ(itemImage(*task), 1);
    EXPECT_EQ(taskTree().currentItem(), task);
}

TEST_F(TemplateDropTest, RefusedDropsSaySoAndTheTemplateShowsWhatIsStored)
{
    store->failStep(1);
    ui.expectMessage("Не удалось вставить лексему", MessageAnswer::Ok);
    drag(lexeme("2"), taskItem({"Задание Б", "Оп1"}), true);
    EXPECT_EQ(lastMessage(), "Не удалось вставить лексему 'Добрый день' в шаблон.");
    EXPECT_TRUE(templateTexts("Задание Б", "Оп1").empty());
    EXPECT_TRUE(childTexts(taskItem({"Задание Б", "Оп1"})).empty());

    store->failStep(1);
    ui.expectMessage("Не удалось переместить лексему", MessageAnswer::Ok);
    drag(moving(taskItem({"Задание А", "Оп", "Добрый день(Поле)"})), taskItem({"Задание А", "Оп"}),
         true);
    EXPECT_EQ(lastMessage(), "Не удалось переместить лексему 'Добрый день' в шаблоне.");
    const std::vector<std::string> stored{"Приветствие", "Добрый день(Поле)"};
    EXPECT_EQ(templateTexts("Задание А", "Оп"), stored);
    EXPECT_EQ(childTexts(taskItem({"Задание А", "Оп"})), stored);
}

} // namespace
} // namespace vorela::test
