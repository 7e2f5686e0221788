// The check by table from the editor: progress, then the result or why there is none.
#include "dialogs/TableCheck.h"

#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"

#include <optional>

namespace vorela {

static constexpr const char *WindowTitle = "Проверка по таблице: ";
static constexpr const char *CancelledText =
    "Проверка по таблице прервана. Проверено записей: %1; неполный итог не показан.";
static constexpr const char *NoTaskText = "Задание «%1» не найдено.";
static constexpr const char *NoOperatorText = "У задания «%1» нет оператора «%2».";
static constexpr const char *NoTableText =
    "Для задания «%1» не указана таблица, или файла таблицы нет.";
static constexpr const char *UnreadableTableText = "Не удалось прочитать таблицу задания «%1»:\n%2";
static constexpr const char *UnreadableBankText = "Не удалось прочитать банк звуков:\n%1";
static constexpr const char *NotRunText = "Проверка по таблице не удалась:\n%1";

static QString failureText(const PreflightSummary &summary, const TableCheckRequest &request)
{
    const QString task = toQString(request.task);
    const QString error = toQString(summary.error);
    switch (summary.failure) {
    case PreflightFailure::NoTask:
        return QString::fromUtf8(NoTaskText).arg(task);
    case PreflightFailure::NoOperator:
        return QString::fromUtf8(NoOperatorText).arg(task, toQString(request.operatorName));
    case PreflightFailure::NoTable:
        return QString::fromUtf8(NoTableText).arg(task);
    case PreflightFailure::UnreadableTable:
        return QString::fromUtf8(UnreadableTableText).arg(task, error);
    case PreflightFailure::UnreadableBank:
        return QString::fromUtf8(UnreadableBankText).arg(error);
    case PreflightFailure::None:
    case PreflightFailure::UnreadableTemplate:
        break;
    }
    return QString::fromUtf8(NotRunText).arg(error);
}

static void tell(UiServices &ui, const TableCheckRequest &request, const QString &text)
{
    ui.showMessage({request.caption, toUtf8(text), MessageIcon::Warning, MessageButtons::Ok,
                    MessageAnswer::Ok});
}

static std::optional<PreflightRun> runCheck(const TableCheckSources &sources, UiServices &ui,
                                            const TableCheckRequest &request, QWidget *parent)
{
    FormPreflightProgress progress(sources, request.task, request.operatorName, parent);
    progress.start();
    QtModalDialog progressModal(progress, "FormPreflightProgress");
    const bool finished = ui.runDialog(progressModal) == QDialog::Accepted;
    PreflightRun run = progress.takeRun();
    if (!finished) {
        tell(ui, request, QString::fromUtf8(CancelledText).arg(run.summary.recordsChecked));
        return std::nullopt;
    }
    if (run.summary.outcome != PreflightOutcome::Checked) {
        tell(ui, request, failureText(run.summary, request));
        return std::nullopt;
    }
    return run;
}

static FormPreflight *openWindowOf(const std::string &task, const QWidget *parent)
{
    if (parent == nullptr)
        return nullptr;
    for (FormPreflight *window : parent->findChildren<FormPreflight *>()) {
        if (window->task() == task && window->isVisible()) // a closed one waits to be deleted
            return window;
    }
    return nullptr;
}

void checkByTable(const TableCheckSources &sources, UiServices &ui,
                  const TableCheckRequest &request, QWidget *parent)
{
    if (FormPreflight *open = openWindowOf(request.task, parent)) {
        open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
        open->raise();
        open->activateWindow();
        return;
    }
    std::optional<PreflightRun> run = runCheck(sources, ui, request, parent);
    if (!run)
        return;
    const std::string scope =
        request.operatorName.empty() ? request.task : request.task + "\\" + request.operatorName;
    const std::string fileStem =
        request.operatorName.empty() ? request.task : request.task + " " + request.operatorName;
    // Saving starts in the data directory, where the task's table usually is.
    PreflightWindowSetup setup{request.task, WindowTitle + scope, request.caption,
                               sources.dataDirectory.root() / (fileStem + ".csv")};
    TableChecker recheck = [sources, &ui, request](QWidget *owner) {
        return runCheck(sources, ui, request, owner);
    };
    auto *window = new FormPreflight(std::move(*run), std::move(setup), ui, request.playRecord,
                                     std::move(recheck), parent);
    window->show();
}

} // namespace vorela
