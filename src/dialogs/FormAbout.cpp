// The "О программе" window.
#include "dialogs/FormAbout.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace vorela {

static constexpr const char *AboutCaption = "О программе Редактор лексем";
static constexpr const char *ProgramTitle = "Редактор лексем версия 2.0";

FormAbout::FormAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QString::fromUtf8(AboutCaption));
    setModal(false);
    setFixedSize(386, 151);

    label_2 = new QLabel(QString::fromUtf8(ProgramTitle), this);
    label_2->setObjectName(QStringLiteral("label_2"));
    QFont bold = label_2->font();
    bold.setBold(true);
    label_2->setFont(bold);
    label_2->setGeometry(15, 8, 360, 20);

    cb_1 = new QPushButton(QStringLiteral("OK"), this);
    cb_1->setObjectName(QStringLiteral("cb_1"));
    cb_1->setGeometry(158, 115, 70, 26);
    cb_1->setDefault(true);
    connect(cb_1, &QPushButton::clicked, this, &QDialog::close);
}

void FormAbout::showBeside()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

} // namespace vorela
