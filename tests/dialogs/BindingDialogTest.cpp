#include "dialogs/FormDate.h"
#include "dialogs/FormSumma.h"

#include "dialogs/DialogScreenshots.h"
#include "platform/DbfBuilder.h"
#include "platform/DbfTaskTableQuery.h"
#include "support/TempDataDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>


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
};

static QTreeWidgetItem *rowNamed(QTreeWidget *list, const QString &name)
{
    const QList<QTreeWidgetItem *> found = list->findItems(name, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.front();
}

TEST_F(BindingDialogTest, SummaQuotedAmountOpensAsConstantAndIsReturnedUnquoted)
{
    std::string result = "untouched";
    FormSumma dialog(amountRequest("'125,50'"), tables, result);
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
    FormSumma dialog(amountRequest("SUMMA"), tables, result);
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
        FormSumma dialog(request, tables, result);
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
    FormSumma dialog(request, tables, result);
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
    FormSumma dialog(request, tables, result);
    EXPECT_EQ(dialog.lv_1->topLevelItemCount(), 0);
    EXPECT_TRUE(dialog.optb_1->isChecked());
    EXPECT_FALSE(dialog.cb_1->isEnabled());
}

TEST_F(BindingDialogTest, DateDayAndMonthComposeYearFirstConstant)
{
    BindingRequest request = amountRequest("'0000/12/25'");
    request.mode = BindingMode::Date;
    std::string result;
    FormDate dialog(request, tables, result);
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
    FormDate dialog(request, tables, result);
    dialog.optb_1->setChecked(true);
    EXPECT_FALSE(dialog.cb_1->isEnabled());
    dialog.lv_1->setCurrentItem(rowNamed(dialog.lv_1, "DATA_OPL"));
    dialog.cb_1->click();
    EXPECT_EQ(dialog.result(), BindingColumnChosen);
    EXPECT_EQ(result, "DATA_OPL");
}

} // namespace vorela
