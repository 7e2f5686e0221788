// A QDialog seen as a ModalDialog, so every sub-dialog runs through UiServices::runDialog and
// tests can reach the QDialog from their scripted answer.
#pragma once

#include "platform/UiServices.h"

#include <string>

class QDialog;

namespace vorela {

class QtModalDialog : public ModalDialog {
public:
    /// dialogName is the class name a test script expects ("FormSumma").
    QtModalDialog(QDialog &dialog, std::string dialogName);

    [[nodiscard]] std::string dialogName() const override { return name; }
    /// Runs QDialog::exec and returns its result code.
    int exec() override;
    [[nodiscard]] QDialog &dialog() const { return widget; }

private:
    QDialog &widget;
    std::string name;
};

/// The QDialog behind a ModalDialog that a QtModalDialog wraps; nullptr for any other kind.
[[nodiscard]] QDialog *qDialogOf(ModalDialog &dialog);

} // namespace vorela
