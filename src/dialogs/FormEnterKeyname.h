// The small dialog in which the operator enters the key name of a lexeme table entry.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;

namespace vorela {

class UiServices;

class FormEnterKeyname : public QDialog {
    Q_OBJECT

public:
    FormEnterKeyname(UiServices &ui, QWidget *parent = nullptr);

    /// The proposal shown when the dialog opens.
    void SetKeyName(const std::string &keyName);
    /// The accepted key name without surrounding blanks; the proposal after "Отмена".
    [[nodiscard]] const std::string &GetKeyName() const { return keyName; }

    QLineEdit *textb_1 = nullptr;
    QPushButton *cb_OK = nullptr;
    QPushButton *cb_Cancel = nullptr;

private:
    void acceptKeyName();

    UiServices &ui;
    std::string keyName;
};

} // namespace vorela
