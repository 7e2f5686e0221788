// The progress of a check by table, with the check on a worker thread.
#include "dialogs/FormPreflightProgress.h"

#include "platform/RegistryStore.h"
#include "platform/qt/QtText.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <memory>

namespace vorela {

static constexpr const char *ProgressTitle = "Проверка по таблице";
static constexpr const char *TaskLine = "Каждая запись таблицы задания «%1» проверяется по шаблону";
static constexpr const char *EveryOperatorTail = "у каждого оператора.";
static constexpr const char *OperatorTail = "оператора «%1».";
static constexpr const char *StartingText = "Открывается таблица задания...";
static constexpr const char *ProgressLine = "Проверено записей: %1 из %2";
static constexpr const char *StoppingText = "Проверка прерывается...";
static constexpr const char *CancelText = "Прервать";
static constexpr int MinimumWidth = 440;

FormPreflightProgress::FormPreflightProgress(TableCheckSources checkSources, std::string taskName,
                                             std::string operatorOfTask, QWidget *parent)
    : QDialog(parent), sources(std::move(checkSources)), task(std::move(taskName)),
      operatorName(std::move(operatorOfTask))
{
    setObjectName(QStringLiteral("FormPreflightProgress"));
    setWindowTitle(QString::fromUtf8(ProgressTitle));
    setModal(true);
    setMinimumWidth(MinimumWidth);

    const QString tail = operatorName.empty()
                             ? QString::fromUtf8(EveryOperatorTail)
                             : QString::fromUtf8(OperatorTail).arg(toQString(operatorName));
    taskText = new QLabel(QString::fromUtf8(TaskLine).arg(toQString(task)) + ' ' + tail, this);
    taskText->setObjectName(QStringLiteral("taskText"));
    taskText->setWordWrap(true);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, 0); // busy until the table's size is known
    progressText = new QLabel(QString::fromUtf8(StartingText), this);
    progressText->setObjectName(QStringLiteral("progressText"));
    cb_Cancel = new QPushButton(QString::fromUtf8(CancelText), this);
    cb_Cancel->setObjectName(QStringLiteral("cb_Cancel"));
    connect(cb_Cancel, &QPushButton::clicked, this, &FormPreflightProgress::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cb_Cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(taskText);
    layout->addWidget(progressBar);
    layout->addWidget(progressText);
    layout->addLayout(buttons);
}

FormPreflightProgress::~FormPreflightProgress()
{
    stopWorker();
}

void FormPreflightProgress::stopWorker()
{
    cancel = true;
    if (worker.joinable())
        worker.join();
}

PreflightRun FormPreflightProgress::takeRun()
{
    if (worker.joinable())
        stopWorker();
    return std::move(run);
}

void FormPreflightProgress::start()
{
    if (worker.joinable())
        return;
    worker = std::thread([this] { check(); });
}

// On the worker thread: the store, the lexemes and the task configuration are its own, so the
// window's connection is never used from two threads.
void FormPreflightProgress::check()
{
    std::string error;
    const std::unique_ptr<RegistryStore> store = RegistryStore::open(sources.storeFile, error);
    if (!store) {
        run.summary.error = error;
    } else {
        Aliases taskConfig(*store, sources.dataDirectory);
        const LexItem lexemes(*store);
        PreflightRequest request;
        request.task = task;
        request.operatorName = operatorName;
        request.cancel = &cancel;
        request.onProblem = [this](const PreflightProblem &problem) { run.problems.add(problem); };
        request.onProgress = [this](std::uint32_t recordsRead, std::uint32_t recordCount) {
            QMetaObject::invokeMethod(
                this, [this, recordsRead, recordCount] { showProgress(recordsRead, recordCount); },
                Qt::QueuedConnection);
        };
        run.summary = runPreflight(
            {taskConfig, *store, lexemes, sources.dataDirectory, sources.clock}, request);
    }
    QMetaObject::invokeMethod(this, &FormPreflightProgress::finishCheck, Qt::QueuedConnection);
}

void FormPreflightProgress::showProgress(std::uint32_t recordsRead, std::uint32_t recordCount)
{
    const auto toInt = [](std::uint32_t value) {
        return static_cast<int>(std::min<std::uint32_t>(value, std::numeric_limits<int>::max()));
    };
    progressBar->setRange(0, toInt(recordCount));
    progressBar->setValue(toInt(recordsRead));
    if (!cancel)
        progressText->setText(QString::fromUtf8(ProgressLine).arg(recordsRead).arg(recordCount));
}

void FormPreflightProgress::finishCheck()
{
    worker.join();
    if (cancel)
        QDialog::reject();
    else
        accept();
}

void FormPreflightProgress::reject()
{
    if (!worker.joinable()) {
        QDialog::reject();
        return;
    }
    cancel = true;
    cb_Cancel->setEnabled(false);
    progressText->setText(QString::fromUtf8(StoppingText));
}

} // namespace vorela
