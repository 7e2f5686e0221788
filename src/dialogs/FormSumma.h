// The "Сумма" dialog: binds an amount, number-like or lexeme table item to a constant or a column.
#pragma once

#include "dialogs/BindingDialog.h"

namespace vorela {

class FormSumma : public BindingDialog {
    Q_OBJECT

public:
    /// Modes Number, Amount and TableItem; 0 cancelled, 1 a column, 2 a constant in result.
    FormSumma(const BindingRequest &request, const TaskTableQuery &tables, UiServices &uiServices,
              std::string &result, QWidget *parent = nullptr);

    QLineEdit *textb_grn = nullptr;
    QLabel *label_g = nullptr;
    QLineEdit *textb_kop = nullptr;
    QLabel *label_k = nullptr;
};

} // namespace vorela
