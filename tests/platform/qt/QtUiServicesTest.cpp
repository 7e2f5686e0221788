// The Qt message boxes show exactly what was asked and report the button pressed.
#include "platform/qt/QtUiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

namespace vorela {
namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    Qt::WindowModality modality = Qt::NonModal;
};

// Waits for the modal box, records it, then presses press (or Escape when NoButton).
void answerNextBox(QObject &context, SeenBox &seen, QMessageBox::StandardButton press)
{
    auto *poll = new QTimer(&context);
    QObject::connect(poll, &QTimer::timeout, &context, [poll, &seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll->stop();
        seen = {box->windowTitle(),
                box->text(),
                box->icon(),
                box->standardButtons(),
                box->standardButton(box->defaultButton()),
                box->windowModality()};
        if (press == QMessageBox::NoButton)
            box->reject();
        else
            box->button(press)->click();
    });
    poll->start(10);
}

TEST(QtUiServicesTest, MessageBoxShowsRequestAndReturnsPressedButton)
{
    struct Case {
        MessageRequest request;
        QMessageBox::StandardButton press;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
        MessageAnswer expected;
    };
    const Case cases[] = {
        {{"Pедактоp лексем (Ворела)", "Удалить?\r\nДа <b>нет</b>", MessageIcon::Question,
          MessageButtons::YesNo, MessageAnswer::No},
         QMessageBox::Yes,
         QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No,
         MessageAnswer::Yes},
        {{"", "mmioOpen1", MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok},
         QMessageBox::Ok,
         QMessageBox::Information,
         QMessageBox::Ok,
         QMessageBox::Ok,
         MessageAnswer::Ok},
        {{"c", "retry", MessageIcon::Error, MessageButtons::RetryCancel, MessageAnswer::Cancel},
         QMessageBox::Retry,
         QMessageBox::Critical,
         QMessageBox::Retry | QMessageBox::Cancel,
         QMessageBox::Cancel,
         MessageAnswer::Retry},
        // Escape on a question means the harmless answer.
        {{"c", "q", MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No},
         QMessageBox::NoButton,
         QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No,
         MessageAnswer::No},
        {{"c", "q", MessageIcon::Warning, MessageButtons::YesNoCancel, MessageAnswer::Yes},
         QMessageBox::NoButton,
         QMessageBox::Warning,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Yes,
         MessageAnswer::Cancel},
    };
    for (const Case &c : cases) {
        QObject context;
        SeenBox seen;
        answerNextBox(context, seen, c.press);
        QtUiServices services;
        EXPECT_EQ(services.showMessage(c.request), c.expected) << c.request.text;
        EXPECT_EQ(seen.caption, toQString(c.request.caption));
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
        EXPECT_EQ(seen.modality, Qt::ApplicationModal);
        EXPECT_FALSE(seen.text.contains(QLatin1Char('\r')));
    }
}

TEST(QtUiServicesTest, SubDialogRunsModallyAndItsResultComesBack)
{
    QDialog dialog;
    QtModalDialog modal(dialog, "FormSumma");
    EXPECT_EQ(qDialogOf(modal), &dialog);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.done(2); });
    QtUiServices services;
    EXPECT_EQ(services.runDialog(modal), 2);
}

TEST(QtUiServicesTest, FileDialogShowsDetailsWithTheNameColumnTakingTheRest)
{
    QObject context;
    int nameWidth = 0;
    int otherWidths = 0;
    QSize size;
    auto *poll = new QTimer(&context);
    QObject::connect(poll, &QTimer::timeout, &context, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        poll->stop();
        size = dialog->size();
        const QHeaderView *header = dialog->findChild<QTreeView *>("treeView")->header();
        nameWidth = header->sectionSize(0);
        for (int column = 1; column < header->count(); ++column)
            otherWidths += header->sectionSize(column);
        dialog->reject();
    });
    poll->start(10);
    QtUiServices services;
    EXPECT_FALSE(services.chooseOpenFile({"Открытие звукового файла", {}, {}}).has_value());
    EXPECT_GE(size.width(), 760);
    EXPECT_GE(size.height(), 480);
    EXPECT_GT(nameWidth, otherWidths); // long names of recordings stay readable
}

TEST(QtTextTest, PositionsCountUnicodeCharacters)
{
    const std::string utf8 = "Лекс\xF0\x9F\x8E\xB5а"; // a character outside the BMP
    const QString text = toQString(utf8);
    EXPECT_EQ(characterCount(text), 6);
    EXPECT_EQ(utf16Index(text, 5), 6);
    EXPECT_EQ(utf16Index(text, 99), text.size());
    EXPECT_EQ(toUtf8(text), utf8);
}

} // namespace
} // namespace vorela
