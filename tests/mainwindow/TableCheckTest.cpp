// "Проверить по таблице..." from the task tree: the progress window, the list of exactly the
// problem records in a window beside the trees, sorting, copying and saving as CSV, checking
// again, stopping, and playing a row's record.
#include "MainWindowFixture.h"

#include "dialogs/FormPreflight.h"
#include "dialogs/FormPreflightProgress.h"
#include "platform/NamedMutex.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"
#include "stores/Aliases.h"
#include "stores/RegistryPaths.h"
#include "tables/DbfBuilder.h"

#include "dialogs/DialogScreenshots.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <optional>

namespace vorela::test {
namespace {

constexpr const char *Python = "/usr/bin/python3";

class TableCheckTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        // Records 2, 9 and 11 name no entry of the lexeme table, 4 is empty, 3 is deleted.
        DbfBuilder table({{"KOD", 'C', 8}});
        int number = 0;
        for (const char *value : {"k", "x", "x", "", "k", "k", "k", "k", "a,\"b\"", "k", "q", "k"})
            table.record({value}, /*deleted=*/++number == 3);
        table.write(tableFile());
        ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + "Задание А\\")
                        .writeString("File", tableFile().string()));
        Aliases aliases(*store, dataDir.dataDirectory());
        std::string newName;
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание А", "Оп", "",
                                               {.path = "1\\5\\", .arg = "KOD"}, newName));
        openForm();
    }

    [[nodiscard]] std::filesystem::path tableFile() const { return dataDir.path() / "dolg.dbf"; }

    /// Lets the progress window run the check to its end.
    void expectProgressToEnd()
    {
        ui.expectDialog("FormPreflightProgress", [](ModalDialog &dialog) {
            QDialog *window = qDialogOf(dialog);
            QSignalSpy finished(window, &QDialog::finished);
            EXPECT_TRUE(finished.wait(10000));
            return window->result();
        });
    }

    /// Runs the check on Задание А\Оп and hands the result window to act.
    void checkOperator(const std::function<void(FormPreflight &)> &act)
    {
        expectProgressToEnd();
        runTaskCommand(taskItem({"Задание А", "Оп"}), "checkTable");
        auto *window = form->findChild<FormPreflight *>("FormPreflight");
        ASSERT_NE(window, nullptr);
        act(*window);
    }

    /// Column column of every row, top to bottom.
    static std::vector<std::string> columnTexts(const FormPreflight &window, int column)
    {
        const QAbstractItemModel &model = *window.problemTable->model();
        std::vector<std::string> texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts.push_back(toUtf8(model.index(row, column).data().toString()));
        return texts;
    }

    /// The fields of every line of a CSV file as Python's csv module reads them.
    static std::vector<std::vector<std::string>> csvRowsByPython(const std::filesystem::path &file)
    {
        const std::string command =
            std::string(Python) +
            " -c \"import csv, sys\nfor row in csv.reader(open(sys.argv[1], newline='', "
            "encoding='utf-8')): print('\\x1f'.join(row))\" '" +
            file.string() + "'";
        std::vector<std::vector<std::string>> rows;
        FILE *output = popen(command.c_str(), "r");
        if (output == nullptr)
            return rows;
        std::string text;
        for (int character = 0; (character = std::fgetc(output)) != EOF;)
            text += static_cast<char>(character);
        EXPECT_EQ(pclose(output), 0);
        std::size_t start = 0;
        for (std::size_t end = 0; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            std::vector<std::string> fields;
            const std::string line = text.substr(start, end - start);
            for (std::size_t from = 0;;) {
                const std::size_t separator = line.find('\x1f', from);
                fields.push_back(line.substr(from, separator - from));
                if (separator == std::string::npos)
                    break;
                from = separator + 1;
            }
            rows.push_back(fields);
        }
        return rows;
    }
};

TEST_F(TableCheckTest, ListsExactlyTheProblemRecordsSortedAsNumbers)
{
    checkOperator([](FormPreflight &window) {
        saveScreenshot(window, "check-by-table.png");
        EXPECT_EQ(window.windowTitle(), "Проверка по таблице: Задание А\\Оп");
        EXPECT_EQ(window.summaryText->text(),
                  "Проверено записей: 11, из них произносятся целиком: 7.\n"
                  "Замечания: нет ключа в таблице лексем — 3; пустое значение — 1.");
        EXPECT_EQ(columnTexts(window, 0), (std::vector<std::string>{"2", "4", "9", "11"}));
        EXPECT_EQ(columnTexts(window, 1), (std::vector<std::string>(4, "Оп")));
        EXPECT_EQ(columnTexts(window, 2), (std::vector<std::string>(4, "Таблица(KOD)")));
        EXPECT_EQ(columnTexts(window, 3), (std::vector<std::string>(4, "KOD")));
        EXPECT_EQ(columnTexts(window, 4), (std::vector<std::string>{"x", "", "a,\"b\"", "q"}));
        EXPECT_EQ(columnTexts(window, 5),
                  (std::vector<std::string>{"в таблице лексем нет ключа «x»", "пустое значение",
                                            "в таблице лексем нет ключа «a,\"b\"»",
                                            "в таблице лексем нет ключа «q»"}));

        // A text sort would put 11 before 2.
        window.problemTable->sortByColumn(0, Qt::DescendingOrder);
        EXPECT_EQ(columnTexts(window, 0), (std::vector<std::string>{"11", "9", "4", "2"}));
        window.problemTable->sortByColumn(4, Qt::AscendingOrder);
        EXPECT_EQ(columnTexts(window, 0), (std::vector<std::string>{"4", "9", "11", "2"}));
        window.problemTable->sortByColumn(0, Qt::AscendingOrder);
        EXPECT_EQ(columnTexts(window, 0), (std::vector<std::string>{"2", "4", "9", "11"}));
    });
}

TEST_F(TableCheckTest, CopyAndSaveGiveCsvThatReadsBackAsTheRows)
{
    const std::filesystem::path saved = dataDir.path() / "problems.csv";
    const std::filesystem::path unwritable = dataDir.path() / "missing" / "problems.csv";
    checkOperator([&](FormPreflight &window) {
        // The selection follows its records through a sort.
        window.problemTable->selectRow(1);
        window.problemTable->sortByColumn(0, Qt::DescendingOrder);
        window.cb_Copy->click();
        EXPECT_EQ(toUtf8(QGuiApplication::clipboard()->text()),
                  "record,task,operator,item,column,value,problem\r\n"
                  "4,Задание А,Оп,Таблица(KOD),KOD,,пустое значение\r\n");

        ui.expectSaveFile(saved);
        window.cb_Save->click();
        EXPECT_EQ(toUtf8(window.statusText->text()),
                  "Замечания сохранены в файл «" + saved.string() + "».");
        ui.expectSaveFile(unwritable);
        ui.expectMessage("Не удалось сохранить файл", MessageAnswer::Ok);
        window.cb_Save->click();
        ui.expectSaveFile({});
        window.cb_Save->click();
    });
    ASSERT_EQ(ui.saveFileRequests().size(), 3U);
    EXPECT_EQ(ui.saveFileRequests()[0].startPath, dataDir.path() / "Задание А Оп.csv");
    EXPECT_EQ(ui.saveFileRequests()[1].startPath, saved);
    EXPECT_EQ(lastMessage(), "Не удалось сохранить файл «" + unwritable.string() + "».");
    EXPECT_FALSE(std::filesystem::exists(unwritable.parent_path()));

    if (std::system((std::string(Python) + " -c 'import csv' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no " << Python;
    using Row = std::vector<std::string>;
    const std::string noKey = "в таблице лексем нет ключа «";
    EXPECT_EQ(csvRowsByPython(saved),
              (std::vector<Row>{
                  {"record", "task", "operator", "item", "column", "value", "problem"},
                  {"11", "Задание А", "Оп", "Таблица(KOD)", "KOD", "q", noKey + "q»"},
                  {"9", "Задание А", "Оп", "Таблица(KOD)", "KOD", "a,\"b\"", noKey + "a,\"b\"»"},
                  {"4", "Задание А", "Оп", "Таблица(KOD)", "KOD", "", "пустое значение"},
                  {"2", "Задание А", "Оп", "Таблица(KOD)", "KOD", "x", noKey + "x»"},
              }));
}

// The check waits for the template, which the test holds, so nothing is checked before the stop.
TEST_F(TableCheckTest, StoppedCheckSaysSoAndShowsNoResult)
{
    NamedMutex templateLock(dataDir.dataDirectory(), "Задание АОп");
    ASSERT_TRUE(templateLock.lock());
    ui.expectDialog("FormPreflightProgress", [&templateLock](ModalDialog &dialog) {
        auto *window = dynamic_cast<FormPreflightProgress *>(qDialogOf(dialog));
        EXPECT_NE(window, nullptr);
        if (window == nullptr)
            return 0;
        QSignalSpy finished(window, &QDialog::finished);
        window->cb_Cancel->click();
        EXPECT_FALSE(window->cb_Cancel->isEnabled());
        EXPECT_EQ(window->progressText->text(), "Проверка прерывается...");
        templateLock.unlock();
        EXPECT_TRUE(finished.wait(10000));
        return window->result();
    });
    ui.expectMessage("прервана", MessageAnswer::Ok);
    runTaskCommand(taskItem({"Задание А", "Оп"}), "checkTable");
    EXPECT_EQ(lastMessage(),
              "Проверка по таблице прервана. Проверено записей: 0; неполный итог не показан.");
}

TEST_F(TableCheckTest, TaskWithoutTableIsTold)
{
    expectProgressToEnd();
    ui.expectMessage("таблица", MessageAnswer::Ok);
    runTaskCommand(taskItem({"Задание Б"}), "checkTable");
    EXPECT_EQ(lastMessage(), "Для задания «Задание Б» не указана таблица, или файла таблицы нет.");
}

TEST_F(TableCheckTest, DoubleClickPlaysTheTemplateWithTheRowsRecord)
{
    std::vector<std::pair<std::string, std::optional<std::uint32_t>>> chosen;
    std::vector<std::string> played;
    form->hooks().chooseRecord = [this, &chosen](std::optional<std::uint32_t> record) {
        chosen.emplace_back(toUtf8(taskTree().currentItem()->text(0)), record);
        return true;
    };
    form->hooks().playItems = [&played](const std::vector<SpokenItem> &items) {
        for (const SpokenItem &item : items)
            played.push_back(item.task + "\\" + item.item.text);
        return false;
    };
    checkOperator([](FormPreflight &window) {
        EXPECT_TRUE(window.hintText->isVisibleTo(&window));
        window.show();
        QTableView &table = *window.problemTable;
        const QRect cell = table.visualRect(table.model()->index(2, 0));
        // An item view takes a double click only on the row its press chose.
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    });
    EXPECT_EQ(chosen,
              (std::vector<std::pair<std::string, std::optional<std::uint32_t>>>{{"Оп", 9}}));
    EXPECT_EQ(played, (std::vector<std::string>{"Задание А\\Таблица", "Задание А\\Приветствие",
                                                "Задание А\\Добрый день"}));
}

TEST_F(TableCheckTest, WindowStaysBesideUsableTreesOnePerTaskAndClosesWithTheMainWindow)
{
    form->show();
    checkOperator([this](FormPreflight &window) {
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        QTreeWidgetItem *other = taskItem({"Задание Б"});
        QTest::mouseClick(taskTree().viewport(), Qt::LeftButton, {},
                          taskTree().visualItemRect(other).center());
        EXPECT_EQ(taskTree().currentItem(), other);
        // A second start raises this window: no progress is asked for, no second window made.
        runTaskCommand(taskItem({"Задание А"}), "checkTable");
        EXPECT_EQ(form->findChildren<FormPreflight *>().size(), 1);
        form->close();
        EXPECT_FALSE(window.isVisible());
    });
}

TEST_F(TableCheckTest, CheckAgainShowsTheTemplateAsItIsNow)
{
    checkOperator([this](FormPreflight &window) {
        window.problemTable->sortByColumn(0, Qt::DescendingOrder);
        Aliases aliases(*store, dataDir.dataDirectory());
        std::string newName;
        ASSERT_TRUE(aliases.InsertTemplateItem("Задание А", "Оп", "",
                                               {.path = "1\\4\\", .arg = "NET"}, newName));
        expectProgressToEnd();
        window.cb_Recheck->click();
        EXPECT_EQ(columnTexts(window, 0), (std::vector<std::string>{"11", "9", "4", "2", "все"}));
        EXPECT_EQ(columnTexts(window, 3),
                  (std::vector<std::string>{"KOD", "KOD", "KOD", "KOD", "NET"}));
        EXPECT_EQ(window.statusText->text(), "Проверено снова, список обновлён.");
    });
}

TEST_F(TableCheckTest, ListsEveryProblemPastAHundredThousand)
{
    static constexpr int Records = 100003;
    DbfBuilder table({{"KOD", 'C', 1}});
    for (int record = 0; record < Records; ++record)
        table.record({""}); // empty: one problem each
    table.write(tableFile());
    checkOperator([](FormPreflight &window) {
        window.problemTable->sortByColumn(0, Qt::DescendingOrder);
        const QAbstractItemModel &model = *window.problemTable->model();
        ASSERT_EQ(model.rowCount(), Records);
        EXPECT_EQ(model.index(0, 0).data().toString(), QString::number(Records));
        EXPECT_EQ(model.index(Records - 1, 0).data().toString(), "1");
    });
}

} // namespace
} // namespace vorela::test
