// The player's bar: which record of the task's table a template is heard with (by its number or
// found by a value such as the phone number) and the "Как в телефоне" switch.
#pragma once

#include "tables/TableRecords.h"

#include <QToolBar>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace vorela {

class Form3;
class TemplateListening;
class UiServices;

class PlayerBar : public QToolBar {
    Q_OBJECT

public:
    /// player and listening hear the choices made here; all must outlive the bar.
    PlayerBar(Form3 &player, TemplateListening &listening, UiServices &ui,
              QWidget *parent = nullptr);

    /// Offers the live records and the columns of table (nothing when the task has none); the
    /// choice goes back to the first live record, unless table is the one offered already and the
    /// chosen record is still live in it. The chosen record's boundColumns are shown beside it.
    void setTable(const std::optional<std::filesystem::path> &table,
                  std::span<const std::string> boundColumns = {});

    QSpinBox *recordNumber = nullptr;
    QLabel *recordValues = nullptr;
    QComboBox *searchColumn = nullptr;
    QLineEdit *searchText = nullptr;
    QToolButton *findRecord = nullptr;
    QToolButton *phoneLine = nullptr;
    QAction *aLaw = nullptr;
    QAction *muLaw = nullptr;

private:
    void readColumnValues(const std::filesystem::path &table,
                          std::span<const std::string> boundColumns);
    void chooseRecord(int number);
    void showRecordValues(int number);
    void findNextRecord();
    void switchLine();
    void showNoTable(const std::string &reason);

    Form3 &player;
    TemplateListening &listening;
    UiServices &ui;
    std::optional<std::filesystem::path> tableFile;
    LiveRecords live;
    struct ColumnValues {
        std::string name;
        std::vector<NumberedRecord> records; // aligned with live.records
    };
    std::vector<ColumnValues> columnValues;
};

} // namespace vorela
