// The date binding dialog: BindingDialog with day and month fields.
#include "dialogs/FormDate.h"

namespace vorela {

FormDate::FormDate(const BindingRequest &request, const TaskTableQuery &tables,
                   UiServices &uiServices, std::string &result, QWidget *parent)
    : BindingDialog(request, tables, uiServices, result,
                    {"textb_day", "label_d", "textb_mon", "label_m", "день", "месяц"}, parent)
{
    setObjectName("FormDate");
    textb_day = firstEdit;
    label_d = firstLabel;
    textb_mon = secondEdit;
    label_m = secondLabel;
}

} // namespace vorela
