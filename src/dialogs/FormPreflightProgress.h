// The progress of a check by table: the check runs on a worker thread with its own connection to
// the store, so the window stays responsive; "Прервать" stops it after the record being checked.
#pragma once

#include "platform/DataDirectory.h"
#include "preflight/Preflight.h"
#include "preflight/PreflightProblemList.h"

#include <QDialog>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vorela {

class Clock;

/// Where a check by table reads; the clock must outlive the check and be safe to read from
/// another thread.
struct TableCheckSources {
    std::filesystem::path storeFile;
    DataDirectory dataDirectory;
    const Clock &clock;
};

/// What a check by table found.
struct PreflightRun {
    PreflightSummary summary;
    PreflightProblemList problems; // every one, in the order found
};

class FormPreflightProgress : public QDialog {
    Q_OBJECT

public:
    /// operatorName empty: every operator of task.
    FormPreflightProgress(TableCheckSources sources, std::string task, std::string operatorName,
                          QWidget *parent = nullptr);
    /// Stops the check and waits for its thread.
    ~FormPreflightProgress() override;

    /// Starts the check; the dialog is accepted when it ends and rejected when it was stopped.
    void start();
    /// What the check found; whole only after the dialog was accepted. A check still running is
    /// stopped first.
    [[nodiscard]] PreflightRun takeRun();

    /// Stops the check: the dialog is rejected once the worker has let go.
    void reject() override;

    QLabel *taskText = nullptr;
    QLabel *progressText = nullptr;
    QProgressBar *progressBar = nullptr;
    QPushButton *cb_Cancel = nullptr;

private:
    void check();
    void stopWorker();
    void showProgress(std::uint32_t recordsRead, std::uint32_t recordCount);
    void finishCheck();

    TableCheckSources sources;
    std::string task;
    std::string operatorName;
    std::atomic<bool> cancel{false};
    PreflightRun run; // written by the worker until it is joined
    std::thread worker;
};

} // namespace vorela
