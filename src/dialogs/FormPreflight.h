// What a check by table found: the summary, the sortable list of problem records, copying and
// saving it as CSV, and a double click that plays the template with a row's record.
#pragma once

#include "dialogs/FormPreflightProgress.h"

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;

namespace vorela {

class PreflightProblemModel;
class UiServices;

/// Plays an operator's template with the values of record (EveryRecord: the first live one).
using RecordPlayer = std::function<void(const std::string &operatorName, std::uint32_t record)>;

struct PreflightWindowText {
    std::string title;
    std::string caption;                // of the messages
    std::filesystem::path proposedFile; // where saving starts
};

class FormPreflight : public QDialog {
    Q_OBJECT

public:
    /// Without playRecord a double click plays nothing.
    FormPreflight(PreflightRun run, PreflightWindowText text, UiServices &ui,
                  RecordPlayer playRecord, QWidget *parent = nullptr);

    /// The selected rows, or every row when none is selected, to the clipboard as CSV.
    void copyRows();
    /// Asks where and writes every row there as CSV; a failed write is told and leaves an
    /// existing file as it was.
    void saveRows();

    QLabel *summaryText = nullptr;
    QTableView *problemTable = nullptr;
    QLabel *hintText = nullptr;
    QPushButton *cb_Copy = nullptr;
    QPushButton *cb_Save = nullptr;
    QPushButton *cb_Close = nullptr;

private:
    void playRow(const QModelIndex &index);

    UiServices &ui;
    PreflightWindowText windowText;
    RecordPlayer recordPlayer;
    PreflightProblemModel *model = nullptr;
};

} // namespace vorela
