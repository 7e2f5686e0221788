// The shared body of the "Сумма" and "Дата" dialogs: binds a function item to a constant or to a
// column of the task's table. The caller writes the choice into the template.
#pragma once

#include "speech/FieldBinding.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace vorela {

class UiServices;

/// What the caller hands to a binding dialog before it opens.
struct BindingRequest {
    BindingMode mode = BindingMode::Amount;
    std::string caption;
    std::string pathText; // the table path, or the caller's error text
    std::string notes;
    bool noDatabase = false;
    std::string binding; // the item's current binding
    std::string unitLabel = "грн.";
    std::string subunitLabel = "коп.";
    std::filesystem::path tablePath; // the resolved table file, listed for the columns
};

/// Result codes of the dialogs.
enum BindingChoice { BindingCancelled = 0, BindingColumnChosen = 1, BindingConstantChosen = 2 };

class BindingDialog : public QDialog {
    Q_OBJECT

public:
    QRadioButton *optb_2 = nullptr;
    QGroupBox *groupb_2 = nullptr;
    QLineEdit *textb_4 = nullptr;
    QRadioButton *optb_1 = nullptr;
    QGroupBox *groupb_1 = nullptr;
    QTextEdit *textb_props = nullptr;
    QLabel *label_3 = nullptr;
    QLineEdit *textb_1 = nullptr;
    QTreeWidget *lv_1 = nullptr;
    QPushButton *cb_1 = nullptr;
    QPushButton *cb_2 = nullptr;

protected:
    /// objectNames of the two constant edits and their labels, which differ between the twins.
    struct ConstantNames {
        const char *firstEdit;
        const char *firstLabel;
        const char *secondEdit;
        const char *secondLabel;
        std::string firstLabelText;
        std::string secondLabelText;
    };

    /// bindingResult receives the choice when the dialog ends with 1 or 2 and is left alone on 0;
    /// uiServices shows why a typed constant is refused.
    BindingDialog(const BindingRequest &request, const TaskTableQuery &tables,
                  UiServices &uiServices, std::string &result, const ConstantNames &names,
                  QWidget *parent);

    QLineEdit *firstEdit = nullptr;
    QLabel *firstLabel = nullptr;
    QLineEdit *secondEdit = nullptr;
    QLabel *secondLabel = nullptr;

private:
    void prepare(const BindingRequest &request, const TaskTableQuery &tables);
    void buildConstantArea(const ConstantNames &names);
    void buildColumnArea();
    void fillColumns(const std::vector<TableColumn> &columns, const std::string &binding);
    void chooseRow(QTreeWidgetItem *item);
    void switchToColumns();
    void switchToConstant();
    void composeConstant();
    void refreshApplyForColumn();
    void applyChoice();
    /// Whether the typed constant is spoken as typed; otherwise says why and returns the
    /// operator to the edit at fault.
    [[nodiscard]] bool constantSpeakable();

    BindingMode mode;
    UiServices &ui;
    std::string &bindingResult;
};

} // namespace vorela
