// A QDialog seen as a ModalDialog.
#include "platform/qt/QtModalDialog.h"

#include <QDialog>

#include <utility>

namespace vorela {

QtModalDialog::QtModalDialog(QDialog &dialog, std::string dialogName)
    : widget(dialog), name(std::move(dialogName))
{
}

int QtModalDialog::exec()
{
    return widget.exec();
}

QDialog *qDialogOf(ModalDialog &dialog)
{
    auto *wrapper = dynamic_cast<QtModalDialog *>(&dialog);
    return wrapper != nullptr ? &wrapper->dialog() : nullptr;
}

} // namespace vorela
