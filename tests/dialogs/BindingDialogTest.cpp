#include "dialogs/FormDate.h"
#include "dialogs/FormSumma.h"

#include "dialogs/DialogScreenshots.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"
#include "tables/DbfTaskTableQuery.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <vector>

namespace vorela {

class BindingDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        test::DbfBuilder({{"FIO", 'C', 40},
                          {"SUMMA", 'N', 10, 2},
                          {"DATA_OPL", 'D', 8},
                          {"PAID", 'L', 1},
                          {"NOTE", 'M', 10}})
            .record({})
            .write(table);
    }

    BindingRequest amountRequest(std::string binding) const
    {
        BindingRequest request;
        request.mode = BindingMode::Amount;
        request.caption = "СУММА: Долги\\Иванов";
        request.pathText = "/data/dolg.dbf";
        request.notes = "Январь";
        request.binding = std::move(binding);
        request.tablePath = table;
        return request;
    }

    test::TempDataDir directory;
    std::filesystem::path table = directory.path() / "dolg.dbf";
    DbfTaskTableQuery tables;
    test::ScriptedUiServices ui;
};

static QTreeWidgetItem *rowNamed(QTreeWidget *list, const QString &name)
{
    const QList<QTreeWidgetItem *> found = list->findItems(name, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.front();
}

TEST_F(BindingDialogTest, SummaQuotedAmountOpensAsConstantAndIsReturnedUnquoted)
{
    std::string result = "untouched";
    FormSumma dialog(amountRequest("'125,50'"), tables, ui, result);
    EXPECT_TRUE(dialog.optb_2->isChecked());
    EXPECT_EQ(dialog.textb_grn->text(), "125");
    EXPECT_EQ(dialog.textb_kop->text(), "50");
    EXPECT_FALSE(dialog.lv_1->isEnabled());
    EXPECT_EQ(dialog.textb_props->toPlainText(), "Путь: /data/dolg.dbf\nЗаметки: Январь");
    EXPECT_EQ(dialog.label_g->text(), "грн.");

    dialog.textb_grn->setText("0");
    dialog.textb_kop->setText("0");
    EXPECT_FALSE(dialog.cb_1->isEnabled()); // either edit re-evaluates "Применить"
    dialog.textb_kop->setText("50");
    dialog.textb_grn->setText("125");
    dialog.cb_1->click();
    EXPECT_EQ(dialog.result(), BindingConstantChosen);
    EXPECT_EQ(result, "125,50");
}

TEST_F(BindingDialogTest, SummaColumnRowsShowTypesAndMarkersByMode)
{
    std::string result;
    FormSumma dialog(amountRequest("SUMMA"), tables, ui, result);
    ASSERT_EQ(dialog.lv_1->topLevelItemCount(), 4); // the memo column is not listed
    QTreeWidgetItem *summa = rowNamed(dialog.lv_1, "SUMMA");
    QTreeWidgetItem *fio = rowNamed(dialog.lv_1, "FIO");
    EXPECT_EQ(summa->text(1), "Num");
    EXPECT_EQ(summa->text(2), "10.2");
    EXPECT_EQ(fio->text(2), "40");
    EXPECT_TRUE(summa->icon(0).isNull());
    EXPECT_FALSE(fio->icon(0).isNull());
    EXPECT_FALSE(rowNamed(dialog.lv_1, "DATA_OPL")->icon(0).isNull());

    // The binding named a decimal column: column mode with that row chosen.
    EXPECT_TRUE(dialog.optb_1->isChecked());
    EXPECT_EQ(dialog.lv_1->currentItem(), summa);
    EXPECT_EQ(dialog.textb_1->text(), "SUMMA");
    EXPECT_TRUE(dialog.cb_1->isEnabled());
    test::saveScreenshot(dialog, "FormSumma.png");
    EXPECT_FALSE(dialog.textb_grn->isEnabled());

    dialog.lv_1->setCurrentItem(fio); // a character column cannot be an amount
    EXPECT_TRUE(dialog.textb_1->text().isEmpty());
    EXPECT_FALSE(dialog.cb_1->isEnabled());
    dialog.lv_1->setCurrentItem(summa);
    dialog.cb_1->click();
    EXPECT_EQ(dialog.result(), BindingColumnChosen);
    EXPECT_EQ(result, "SUMMA");
}

TEST_F(BindingDialogTest, SummaNumberAndTableModesHideTheHundredths)
{
    for (const BindingMode mode : {BindingMode::Number, BindingMode::TableItem}) {
        BindingRequest request = amountRequest("");
        request.mode = mode;
        std::string result;
        FormSumma dialog(request, tables, ui, result);
        EXPECT_TRUE(dialog.textb_kop->isHidden());
        EXPECT_TRUE(dialog.label_g->isHidden());
        EXPECT_TRUE(dialog.optb_2->isChecked());
        EXPECT_FALSE(dialog.cb_1->isEnabled());
        // A character column is choosable for both; a decimal one only for numbers.
        EXPECT_TRUE(rowNamed(dialog.lv_1, "FIO")->icon(0).isNull());
        EXPECT_EQ(rowNamed(dialog.lv_1, "SUMMA")->icon(0).isNull(), mode == BindingMode::Number);
        dialog.textb_grn->setText("25");
        dialog.cb_1->click();
        EXPECT_EQ(dialog.result(), BindingConstantChosen);
        EXPECT_EQ(result, "25");
    }
}

TEST_F(BindingDialogTest, SummaWithoutDatabaseOnlyAConstantCanBeChosen)
{
    BindingRequest request = amountRequest("SUMMA");
    request.noDatabase = true;
    request.pathText = "нет пути";
    request.notes.clear();
    std::string result = "kept";
    FormSumma dialog(request, tables, ui, result);
    EXPECT_FALSE(dialog.optb_1->isEnabled());
    EXPECT_TRUE(dialog.optb_2->isChecked());
    EXPECT_EQ(dialog.lv_1->topLevelItemCount(), 0);
    EXPECT_EQ(dialog.textb_props->toPlainText(), "Путь: нет пути");
    dialog.cb_2->click();
    EXPECT_EQ(dialog.result(), BindingCancelled);
    EXPECT_EQ(result, "kept");
}

TEST_F(BindingDialogTest, SummaUnreadableTableListsNothingToChoose)
{
    BindingRequest request = amountRequest("SUMMA");
    request.tablePath = directory.path() / "missing.dbf";
    std::string result;
    FormSumma dialog(request, tables, ui, result);
    EXPECT_EQ(dialog.lv_1->topLevelItemCount(), 0);
    EXPECT_TRUE(dialog.optb_1->isChecked());
    EXPECT_FALSE(dialog.cb_1->isEnabled());
}

TEST_F(BindingDialogTest, DateDayAndMonthComposeYearFirstConstant)
{
    BindingRequest request = amountRequest("'0000/12/25'");
    request.mode = BindingMode::Date;
    std::string result;
    FormDate dialog(request, tables, ui, result);
    EXPECT_EQ(dialog.textb_day->text(), "25");
    EXPECT_EQ(dialog.textb_mon->text(), "12");
    EXPECT_EQ(dialog.label_d->text(), "день");
    EXPECT_FALSE(dialog.label_m->isHidden());
    EXPECT_TRUE(rowNamed(dialog.lv_1, "DATA_OPL")->icon(0).isNull());
    EXPECT_FALSE(rowNamed(dialog.lv_1, "FIO")->icon(0).isNull());
    test::saveScreenshot(dialog, "FormDate.png");

    dialog.textb_mon->setText("13");
    EXPECT_FALSE(dialog.cb_1->isEnabled());
    dialog.textb_day->setText("3");
    dialog.textb_mon->setText("07");
    dialog.cb_1->click();
    EXPECT_EQ(dialog.result(), BindingConstantChosen);
    EXPECT_EQ(result, "0000/07/3");
}

TEST_F(BindingDialogTest, DateDateColumnChosenFromTheList)
{
    BindingRequest request = amountRequest("");
    request.mode = BindingMode::Date;
    std::string result;
    FormDate dialog(request, tables, ui, result);
    dialog.optb_1->setChecked(true);
    EXPECT_FALSE(dialog.cb_1->isEnabled());
    dialog.lv_1->setCurrentItem(rowNamed(dialog.lv_1, "DATA_OPL"));
    dialog.cb_1->click();
    EXPECT_EQ(dialog.result(), BindingColumnChosen);
    EXPECT_EQ(result, "DATA_OPL");
}

// Typed into the two constant edits; refusedEdit names the edit the operator is sent back to,
// or is null when the constant is stored.
struct TypedConstant {
    const char *first;
    const char *second;
    const char *stored;
    const char *refusedEdit;
};

static const std::string AmountRefusedText =
    "Такую сумму нельзя произнести так, как она набрана.\n"
    "Целая часть — от одной до девяти цифр, дробная — не больше трёх цифр, "
    "без букв, пробелов, точек и запятых.";
static const std::string DateRefusedText =
    "Такой даты нет в календаре.\n"
    "Наберите цифрами день и номер месяца, например 8 и 3 для 8 марта.";

// Types the constant as an operator would and presses "Применить" on a shown dialog.
template <typename Dialog>
static void applyTyped(const BindingRequest &request, const TaskTableQuery &tables,
                       const TypedConstant &typed, const std::string &refusedText)
{
    SCOPED_TRACE(std::string(typed.first) + " | " + typed.second);
    test::ScriptedUiServices ui;
    if (typed.refusedEdit != nullptr)
        ui.expectMessage(refusedText, MessageAnswer::Ok);
    std::string result = "untouched";
    Dialog dialog(request, tables, ui, result);
    dialog.show();
    dialog.optb_2->setChecked(true);
    auto *first = dialog.template findChild<QLineEdit *>(
        request.mode == BindingMode::Date ? "textb_day" : "textb_grn");
    auto *second = dialog.template findChild<QLineEdit *>(
        request.mode == BindingMode::Date ? "textb_mon" : "textb_kop");
    first->setText(QString::fromUtf8(typed.first));
    second->setText(QString::fromUtf8(typed.second));
    ASSERT_TRUE(dialog.cb_1->isEnabled());
    dialog.cb_1->click();
    EXPECT_TRUE(ui.finished());
    if (typed.refusedEdit == nullptr) {
        EXPECT_EQ(dialog.result(), BindingConstantChosen);
        EXPECT_EQ(result, typed.stored);
        return;
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), BindingCancelled);
    EXPECT_EQ(result, "untouched");
    ASSERT_EQ(ui.messages().size(), 1U);
    const MessageRequest &shown = ui.messages().front();
    EXPECT_EQ(shown.caption, request.caption);
    EXPECT_EQ(shown.text, refusedText);
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    ASSERT_NE(dialog.focusWidget(), nullptr);
    EXPECT_EQ(dialog.focusWidget()->objectName(), typed.refusedEdit);
}

TEST_F(BindingDialogTest, SummaStoresOnlyAmountsSpokenAsTyped)
{
    const std::vector<TypedConstant> cases = {
        {"125", "50", "125,50", nullptr},
        {"125", "", "125,", nullptr},
        {"0", "5", "0,5", nullptr},
        {"999999999", "999", "999999999,999", nullptr},
        {"1x2", "5", nullptr, "textb_grn"},       // the template would say 12
        {"1,5", "", nullptr, "textb_grn"},        // 1 and five hundredths
        {"12 500", "", nullptr, "textb_grn"},     // 12500
        {"", "50", nullptr, "textb_grn"},         // fifty whole units
        {"1000000000", "", nullptr, "textb_grn"}, // billions have no words
        {"5", "1000", nullptr, "textb_kop"},      // no words for 1000 hundredths
    };
    for (const TypedConstant &typed : cases)
        applyTyped<FormSumma>(amountRequest(""), tables, typed, AmountRefusedText);
}

TEST_F(BindingDialogTest, DateStoresOnlyCalendarDatesSpokenAsTyped)
{
    BindingRequest request = amountRequest("");
    request.mode = BindingMode::Date;
    const std::vector<TypedConstant> cases = {
        {"29", "2", "0000/2/29", nullptr}, // the stored year stands for any year
        {"30", "04", "0000/04/30", nullptr}, {"07", "03", "0000/03/07", nullptr},
        {"31", "2", nullptr, "textb_day"},   {"31", "4", nullptr, "textb_day"},
        {"3x", "7", nullptr, "textb_day"},  // said as the 3rd
        {"3 5", "7", nullptr, "textb_day"}, // said as the 3rd
    };
    for (const TypedConstant &typed : cases)
        applyTyped<FormDate>(request, tables, typed, DateRefusedText);
}

} // namespace vorela
