// The amount binding dialog: BindingDialog with the unit and subunit fields the request names.
#include "dialogs/FormSumma.h"

namespace vorela {

FormSumma::FormSumma(const BindingRequest &request, const TaskTableQuery &tables,
                     UiServices &uiServices, std::string &result, QWidget *parent)
    : BindingDialog(
          request, tables, uiServices, result,
          {"textb_grn", "label_g", "textb_kop", "label_k", request.unitLabel, request.subunitLabel},
          parent)
{
    setObjectName("FormSumma");
    textb_grn = firstEdit;
    label_g = firstLabel;
    textb_kop = secondEdit;
    label_k = secondLabel;
}

} // namespace vorela
