#include "dialogs/FormEnterKeyname.h"

#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "stores/LexemeTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vorela {

static constexpr const char *DialogTitle = "Ключевое имя";
static constexpr const char *PromptText = "Введите ключевое имя";
static constexpr const char *ErrorCaption = "Ошибка";
static constexpr const char *EmptyKeyNameText = "Ключевое имя не может быть пустым.";

FormEnterKeyname::FormEnterKeyname(UiServices &services, QWidget *parent)
    : QDialog(parent), ui(services)
{
    setObjectName("FormEnterKeyname");
    setWindowTitle(toQString(DialogTitle));
    // The dialog-unit places, widened so the prompt fits the wider fonts of Linux desktops.
    setFixedSize(300, 84);
    auto *prompt = new QLabel(toQString(PromptText), this);
    prompt->setGeometry(12, 16, 160, 20);
    textb_1 = new QLineEdit(this);
    textb_1->setObjectName("textb_1");
    textb_1->setGeometry(176, 15, 112, 22);
    cb_OK = new QPushButton("OK", this);
    cb_OK->setObjectName("cb_OK");
    cb_OK->setGeometry(50, 52, 70, 24);
    cb_OK->setDefault(true);
    cb_Cancel = new QPushButton(toQString("Отмена"), this);
    cb_Cancel->setObjectName("cb_Cancel");
    cb_Cancel->setGeometry(180, 52, 70, 24);
    connect(cb_OK, &QPushButton::clicked, this, &FormEnterKeyname::acceptKeyName);
    connect(cb_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    textb_1->setFocus();
}

void FormEnterKeyname::SetKeyName(const std::string &name)
{
    keyName = name;
    textb_1->setText(toQString(name));
    textb_1->selectAll();
}

void FormEnterKeyname::acceptKeyName()
{
    // Trimmed as lookups trim key names, so the duplicate check sees what a lookup would.
    const std::string entered(tableKeyName(toUtf8(textb_1->text())));
    if (entered.empty()) {
        ui.showMessage({ErrorCaption, EmptyKeyNameText, MessageIcon::Information,
                        MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    keyName = entered;
    accept();
}

} // namespace vorela
