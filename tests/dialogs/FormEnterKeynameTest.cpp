#include "dialogs/FormEnterKeyname.h"

#include "dialogs/DialogScreenshots.h"
#include "support/ScriptedUiServices.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace vorela {

TEST(FormEnterKeyname, BlanksAreTrimmedAndEmptyNamesRefused)
{
    test::ScriptedUiServices ui;
    FormEnterKeyname dialog(ui);
    dialog.SetKeyName("old");
    EXPECT_EQ(dialog.textb_1->text(), "old");
    test::saveScreenshot(dialog, "FormEnterKeyname.png");

    ui.expectMessage("Ключевое имя не может быть пустым.", MessageAnswer::Ok);
    dialog.textb_1->setText("   ");
    dialog.cb_OK->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open
    EXPECT_EQ(ui.messages().at(0).caption, "Ошибка");

    dialog.textb_1->setText("  A1 ");
    dialog.cb_OK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetKeyName(), "A1");
    EXPECT_TRUE(ui.finished());
}

TEST(FormEnterKeyname, CancelKeepsTheProposal)
{
    test::ScriptedUiServices ui;
    FormEnterKeyname dialog(ui);
    dialog.SetKeyName("Ключ 7");
    dialog.textb_1->setText("other");
    dialog.cb_Cancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.GetKeyName(), "Ключ 7");
}

} // namespace vorela
