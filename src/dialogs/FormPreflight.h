// What a check by table found, in a window beside the trees: the summary, the sortable list of
// every problem record, copying and saving it as CSV, checking again in place, and a double click
// that plays the template with a row's record.
#pragma once

#include "dialogs/FormPreflightProgress.h"

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QEvent;
class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;

namespace vorela {

class PreflightProblemModel;
class UiServices;

/// Plays an operator's template with the values of record (EveryRecord: the first live one).
using RecordPlayer = std::function<void(const std::string &operatorName, std::uint32_t record)>;

/// Runs the check of the window's task and operator again, its progress over parent; nullopt
/// when it was stopped or could not run, which it has told.
using TableChecker = std::function<std::optional<PreflightRun>(QWidget *parent)>;

struct PreflightWindowSetup {
    std::string task; // one window per task
    std::string title;
    std::string caption;                // of the messages
    std::filesystem::path proposedFile; // where saving starts
};

class FormPreflight : public QDialog {
    Q_OBJECT

public:
    /// Without playRecord a double click plays nothing. The window deletes itself when closed
    /// and closes with parent's window.
    FormPreflight(PreflightRun run, PreflightWindowSetup setup, UiServices &ui,
                  RecordPlayer playRecord, TableChecker recheck, QWidget *parent = nullptr);

    [[nodiscard]] const std::string &task() const { return windowSetup.task; }

    /// The selected rows, or every row when none is selected, to the clipboard as CSV.
    void copyRows();
    /// Asks where and writes every row there as CSV; a failed write is told and leaves an
    /// existing file as it was.
    void saveRows();
    /// Checks again and shows what was found; a stopped or failed check leaves the list as it was.
    void checkAgain();

    QLabel *summaryText = nullptr;
    QTableView *problemTable = nullptr;
    QLabel *hintText = nullptr;
    QLabel *statusText = nullptr;
    QPushButton *cb_Copy = nullptr;
    QPushButton *cb_Save = nullptr;
    QPushButton *cb_Recheck = nullptr;
    QPushButton *cb_Close = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRun(PreflightRun run);
    void playRow(const QModelIndex &index);

    UiServices &ui;
    PreflightWindowSetup windowSetup;
    RecordPlayer recordPlayer;
    TableChecker checker;
    PreflightProblemModel *model = nullptr;
};

} // namespace vorela
