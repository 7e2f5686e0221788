// Refusal dialog of an uncertified greeting phrase.
#include "soundeditor/window/FormErrorVerify.h"

#include "platform/qt/QtText.h"

#include <QLabel>
#include <QPushButton>

namespace vorela {

const std::string_view VerifyRefusalText =
    "Приветственную фразу запрещено удалять или заменять несертифицированными звуковыми "
    "данными.\r\nДаже если Вы сделаете это своими \"альтернативными\" средствами, "
    "работоспособность комплекса будет нарушена.\r\nДля корректной замены приветственной фразы "
    "Вам необходимо отослать .wav файл разработчику для снабжения его электронной подписью.\r\n"
    "Эта услуга оказывается бесплатно.";

FormErrorVerify::FormErrorVerify(QWidget *parent) : QDialog(parent)
{
    setObjectName("FormErrorVerify");
    setFixedSize(390, 166);
    label_2 = new QLabel(QStringLiteral("Не работает по причине..."), this);
    label_2->setObjectName("label_2");
    label_2->setGeometry(8, 8, 375, 122);
    label_2->setWordWrap(true);
    label_2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Qt breaks lines at \n alone.
    label_2->setText(
        toQString(VerifyRefusalText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    cb_1 = new QPushButton(QStringLiteral("OK"), this);
    cb_1->setObjectName("cb_1");
    cb_1->setGeometry(157, 136, 75, 23);
    cb_1->setDefault(true);
    connect(cb_1, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace vorela
