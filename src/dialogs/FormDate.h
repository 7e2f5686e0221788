// The "Дата" dialog: binds a date item to a constant day and month or to a date column.
#pragma once

#include "dialogs/BindingDialog.h"

namespace vorela {

class FormDate : public BindingDialog {
    Q_OBJECT

public:
    /// Mode Date; 0 cancelled, 1 a column, 2 a constant (0000/MM/DD) in result.
    FormDate(const BindingRequest &request, const TaskTableQuery &tables, UiServices &uiServices,
             std::string &result, QWidget *parent = nullptr);

    QLineEdit *textb_day = nullptr;
    QLabel *label_d = nullptr;
    QLineEdit *textb_mon = nullptr;
    QLabel *label_m = nullptr;
};

} // namespace vorela
