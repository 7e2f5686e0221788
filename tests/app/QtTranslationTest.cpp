// The standard buttons of the editor's message boxes read in Russian, and stay usable in English
// when Qt's translation is missing.
#include "app/QtTranslation.h"

#include "platform/qt/QtUiServices.h"
#include "support/TempDataDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <vector>

namespace vorela::test {
namespace {

struct ButtonCase {
    MessageButtons buttons;
    std::vector<QMessageBox::StandardButton> shown;
    QStringList russian;
    QStringList english;
};

// Shows a box through the editor's UiServices and reads the texts of its buttons, then answers
// with the first of them.
QStringList shownButtonTexts(const ButtonCase &buttonCase)
{
    QStringList texts;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (box == nullptr || !box->isVisible())
                continue;
            poll.stop();
            for (const QMessageBox::StandardButton button : buttonCase.shown)
                texts << box->button(button)->text();
            box->button(buttonCase.shown.front())->click();
        }
    });
    poll.start();
    QtUiServices ui;
    (void)ui.showMessage({"Проверка", "Сохранить изменения?", MessageIcon::Question,
                          buttonCase.buttons, MessageAnswer::Cancel});
    return texts;
}

const std::vector<ButtonCase> Cases = {
    {MessageButtons::YesNoCancel,
     {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
     {"&Да", "&Нет", "Отмена"},
     {"&Yes", "&No", "Cancel"}},
    // "ОК" in Cyrillic letters, where Qt's own translation keeps the Latin "OK".
    {MessageButtons::OkCancel,
     {QMessageBox::Ok, QMessageBox::Cancel},
     {"ОК", "Отмена"},
     {"OK", "Cancel"}},
    {MessageButtons::RetryCancel,
     {QMessageBox::Retry, QMessageBox::Cancel},
     {"Повторить", "Отмена"},
     {"Retry", "Cancel"}},
};

TEST(QtTranslationTest, MessageBoxButtonsReadInRussian)
{
    const std::unique_ptr<QTranslator> translation = installQtTranslation();
    ASSERT_NE(translation, nullptr);
    for (const ButtonCase &buttonCase : Cases)
        EXPECT_EQ(shownButtonTexts(buttonCase), buttonCase.russian);
}

TEST(QtTranslationTest, WithoutTheTranslationButtonsStayEnglish)
{
    const TempDataDir emptyFolder;
    EXPECT_EQ(installQtTranslation(QString::fromStdString(emptyFolder.path().string())), nullptr);
    for (const ButtonCase &buttonCase : Cases)
        EXPECT_EQ(shownButtonTexts(buttonCase), buttonCase.english);
}

} // namespace
} // namespace vorela::test
