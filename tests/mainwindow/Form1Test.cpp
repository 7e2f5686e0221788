// The main window itself: saved geometry, the split bar's limits, About, help, and a picture of
// the window for a person to look at.
#include "MainWindowFixture.h"

#include "dialogs/FormAbout.h"
#include "mainwindow/SplitBar.h"
#include "mainwindow/SplitPane.h"
#include "mainwindow/WindowGeometry.h"
#include "stores/RegistryPaths.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include <cstdlib>

namespace vorela::test {
namespace {

constexpr const char *GeometryNotSavedText =
    "Не удалось сохранить в реестре положение и размер окна. "
    "В следующий раз окно откроется на обычном месте.";
constexpr const char *GeometryDefaultsText =
    "Не удалось записать в реестр положение и размер окна. Окно открыто на обычном месте.";
constexpr const char *CurrencyNotWrittenText =
    "Не удалось записать слова валют в банк звуков или в дерево лексем. "
    "Суммы в долларах и евро могут быть озвучены не полностью.";
constexpr const char *TaskDefaultsText =
    "Не удалось записать в реестр значения по умолчанию для заданий и операторов. "
    "Задания показаны такими, какими они хранятся сейчас.";

class Form1Test : public MainWindowFixture {
protected:
    [[nodiscard]] RegistryKey editorKey() const { return store->createKey(EditorKeyPath); }
    [[nodiscard]] std::optional<WindowRect> storedRect() const
    {
        const auto bytes = editorKey().readBinary("LastWindowSize");
        return bytes ? decodeWindowRect(*bytes) : std::nullopt;
    }
    [[nodiscard]] static QRect desktop() { return QGuiApplication::primaryScreen()->geometry(); }
    [[nodiscard]] static WindowRect middle()
    {
        return defaultWindowRect(desktop().width(), desktop().height());
    }
};

TEST_F(Form1Test, FirstStartTakesTheMiddleOfTheScreenAndWritesTheDefaults)
{
    const QRect shown = form->geometry();
    EXPECT_EQ((WindowRect{shown.x(), shown.y(), shown.width(), shown.height()}), middle());
    EXPECT_EQ(storedRect(), middle());
    EXPECT_EQ(editorKey().readDword("WindowMaximized"), 0U);
    EXPECT_EQ(editorKey().readDword("SplitPos"),
              std::optional<std::uint32_t>(desktop().width() * 2 / 3 / 2));
    EXPECT_EQ(form->minimumSize(), QSize(middle().width / 2, middle().height / 3));
}

TEST_F(Form1Test, GeometryIsSavedAndRestoredUnlessItLeavesTheScreen)
{
    form->showWindow();
    form->setGeometry(10, 20, 500, 400);
    form->splitPane->placeSplit(120);
    closeForm();
    EXPECT_EQ(storedRect(), (WindowRect{10, 20, 500, 400}));
    EXPECT_EQ(editorKey().readDword("SplitPos"), std::optional<std::uint32_t>(120));
    openForm();
    EXPECT_EQ(form->geometry(), QRect(10, 20, 500, 400));
    EXPECT_EQ(form->splitPane->splitPos(), 120);
    closeForm();

    // Saved on a wider monitor: the default window; the stored value stays until the next save.
    const WindowRect wide{desktop().width() - 100, 0, 200, 100};
    ASSERT_TRUE(editorKey().writeBinary("LastWindowSize", encodeWindowRect(wide)));
    ASSERT_TRUE(editorKey().writeDword("SplitPos", 5)); // too near the edge
    openForm();
    EXPECT_EQ(form->geometry(), QRect(middle().x, middle().y, middle().width, middle().height));
    EXPECT_EQ(form->splitPane->splitPos(), middle().width / 2);
    EXPECT_EQ(storedRect(), wide);
}

TEST_F(Form1Test, ClosingMaximizedKeepsTheRestoredRectangle)
{
    form->showWindow();
    form->setGeometry(30, 40, 400, 300);
    form->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->isMaximized());
    EXPECT_EQ(editorKey().readDword("WindowMaximized"), 1U);
    closeForm();
    EXPECT_EQ(storedRect(), (WindowRect{30, 40, 400, 300}));
    EXPECT_EQ(editorKey().readDword("WindowMaximized"), 1U);
    openForm();
    form->showWindow();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->isMaximized());
    form->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->geometry(), QRect(30, 40, 400, 300));
}

// A save that fails while maximizing or at close is told once, at close.
TEST_F(Form1Test, AGeometryThatCannotBeSavedIsToldOnceAtClose)
{
    for (const bool whileMaximizing : {false, true}) {
        openForm();
        form->showWindow();
        form->setGeometry(30, 40, 400, 300);
        const std::size_t shown = ui.messages().size();
        store->failStep(1);
        if (whileMaximizing) {
            form->showMaximized();
            QCoreApplication::processEvents();
            ASSERT_TRUE(store->failureTriggered());
            EXPECT_EQ(ui.messages().size(), shown);
        }
        ui.expectMessage(GeometryNotSavedText, MessageAnswer::Ok);
        closeForm();
        EXPECT_TRUE(store->failureTriggered());
        store->failStep(std::nullopt);
        ASSERT_EQ(ui.messages().size(), shown + 1) << whileMaximizing;
        EXPECT_EQ(lastMessage(), GeometryNotSavedText);
    }
}

TEST_F(Form1Test, DefaultsThatCannotBeWrittenAtStartAreToldAndUsed)
{
    closeForm();
    for (const char *value : {"LastWindowSize", "WindowMaximized", "SplitPos"})
        ASSERT_TRUE(editorKey().deleteValue(value)) << value;
    store->failStep(1);
    ui.expectMessage(GeometryDefaultsText, MessageAnswer::Ok);
    openForm();
    store->failStep(std::nullopt);
    EXPECT_EQ(lastMessage(), GeometryDefaultsText);
    const QRect shown = form->geometry();
    EXPECT_EQ((WindowRect{shown.x(), shown.y(), shown.width(), shown.height()}), middle());
    EXPECT_EQ(form->splitPane->splitPos(), middle().width / 2);
    EXPECT_FALSE(editorKey().hasValue("LastWindowSize"));
}

TEST_F(Form1Test, CurrencyWordsThatCannotBeWrittenAreToldAndTheEditorStarts)
{
    closeForm();
    Form1Hooks hooks;
    hooks.installCurrency = [] { return false; };
    ui.expectMessage(CurrencyNotWrittenText, MessageAnswer::Ok);
    form = std::make_unique<Form1>(
        EditorContext{*store, *root, dataDir.dataDirectory(), ui, tables, *bank}, std::move(hooks));
    EXPECT_EQ(lastMessage(), CurrencyNotWrittenText);
    EXPECT_NE(sourceItem({"Общие", "Добрый день"}), nullptr);
}

TEST_F(Form1Test, ATaskLoadThatCannotWriteItsDefaultsIsToldAndShowsTheStore)
{
    ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + "Задание В").isOpen());
    store->failStep(1); // the load's transaction cannot begin
    ui.expectMessage(TaskDefaultsText, MessageAnswer::Ok);
    runTaskCommand(taskTree().topLevelItem(0), "refresh");
    store->failStep(std::nullopt);
    EXPECT_EQ(lastMessage(), TaskDefaultsText);
    EXPECT_NE(taskItem({"Задание В"}), nullptr);
    EXPECT_NE(taskItem({"Задание А", "Оп", "Добрый день(Поле)"}), nullptr);
}

TEST_F(Form1Test, SplitBarStopsFiftyPixelsFromEitherEdgeAndPanesFollowIt)
{
    form->showWindow();
    SplitBar *bar = form->findChild<SplitBar *>("vsplit_1");
    ASSERT_NE(bar, nullptr);
    const int width = form->splitPane->width();
    for (const int wanted : {-30, 3, width - 2, width + 40}) {
        const QPoint grab(1, 10);
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QTest::mouseMove(bar, QPoint(wanted - bar->x() + grab.x(), 10));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(wanted - bar->x() + grab.x(), 10));
        const int expected = wanted < width / 2 ? 50 : width - 50;
        EXPECT_EQ(form->splitPane->splitPos(), expected) << wanted;
        EXPECT_EQ(sourceTree().geometry().right() + 1, bar->x());
        EXPECT_EQ(taskTree().x(), bar->x() + bar->width());
        EXPECT_EQ(taskTree().geometry().right() + 1, form->splitPane->width());
    }
    // A wider window moves the bar by half the growth.
    const int before = form->splitPane->splitPos();
    form->resize(form->width() + 100, form->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(form->splitPane->splitPos(), std::min(before + 50, form->splitPane->width() - 50));
}

TEST_F(Form1Test, AboutBoxIsModelessAndHelpShowsTheManual)
{
    form->showWindow();
    action("about").trigger();
    ASSERT_TRUE(form->aboutBox->isVisible());
    EXPECT_FALSE(form->aboutBox->isModal());
    EXPECT_EQ(form->aboutBox->windowTitle(), "О программе Редактор лексем");
    EXPECT_EQ(form->aboutBox->label_2->text(), "Редактор лексем версия 2.0");
    EXPECT_TRUE(form->aboutBox->label_2->font().bold());
    form->aboutBox->cb_1->click();
    EXPECT_FALSE(form->aboutBox->isVisible());
    EXPECT_TRUE(form->isVisible());

    action("help").trigger();
    auto *browser = form->findChild<QTextBrowser *>("helpBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->window()->isVisible());
    EXPECT_EQ(browser->window()->windowTitle(), "Справка по Ворела");
    EXPECT_TRUE(browser->toPlainText().contains("Источники фраз"));
}

// Writes the window with its trees to VORELA_SCREENSHOT (when set) for a person to check.
TEST_F(Form1Test, WindowPicture)
{
    const char *file = std::getenv("VORELA_SCREENSHOT");
    form->setGeometry(50, 50, 760, 420);
    form->showWindow();
    sourceTree().expandAll();
    taskTree().expandAll();
    sourceTree().setCurrentItem(sourceItem({"Общие", "Добрый день"}));
    QCoreApplication::processEvents();
    const QPixmap picture = form->grab();
    EXPECT_FALSE(picture.isNull());
    if (file != nullptr) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(file)));
    }
}

} // namespace
} // namespace vorela::test
