// What a check by table found, as a window.
#include "dialogs/FormPreflight.h"

#include "dialogs/PreflightProblemModel.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace vorela {

static constexpr const char *CheckedLine =
    "Проверено записей: %1, из них произносятся целиком: %2.";
static constexpr const char *NothingFoundLine =
    "Замечаний нет: шаблон произносит каждую запись целиком.";
static constexpr const char *ProblemsLine = "Замечания: %1.";
static constexpr const char *KindCount = "%1 — %2";
static constexpr const char *HintLine =
    "Двойной щелчок по строке — прослушать шаблон с данными её записи.";
static constexpr const char *CopyText = "Копировать";
static constexpr const char *SaveText = "Сохранить как CSV...";
static constexpr const char *RecheckText = "Проверить снова";
static constexpr const char *CloseText = "Закрыть";
static constexpr const char *SaveTitle = "Сохранить замечания как CSV";
static constexpr const char *CsvFilterLabel = "Файлы CSV(*.csv)";
static constexpr const char *SaveFailedText = "Не удалось сохранить файл «%1».";
static constexpr const char *SavedText = "Замечания сохранены в файл «%1».";
static constexpr const char *RecheckedText = "Проверено снова, список обновлён.";
static constexpr int InitialWidth = 860;
static constexpr int InitialHeight = 480;

static QString summaryOf(const PreflightRun &run)
{
    const PreflightSummary &summary = run.summary;
    QStringList lines{
        QString::fromUtf8(CheckedLine).arg(summary.recordsChecked).arg(summary.recordsWhole)};
    QStringList kinds;
    for (std::size_t kind = 0; kind < ProblemKindCount; ++kind) {
        if (summary.problems[kind] == 0)
            continue;
        kinds << QString::fromUtf8(KindCount)
                     .arg(QString::fromUtf8(problemKindName(static_cast<ProblemKind>(kind))))
                     .arg(summary.problems[kind]);
    }
    const QString found = QString::fromUtf8(ProblemsLine).arg(kinds.join(QStringLiteral("; ")));
    lines << (kinds.isEmpty() ? QString::fromUtf8(NothingFoundLine) : found);
    return lines.join('\n');
}

static std::filesystem::path fullPath(const std::filesystem::path &file)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(file, error);
    return error ? file : full;
}

static QPushButton *addButton(QHBoxLayout &row, const char *text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    row.addWidget(button);
    return button;
}

FormPreflight::FormPreflight(PreflightRun run, PreflightWindowSetup setup, UiServices &uiServices,
                             RecordPlayer playRecord, TableChecker recheck, QWidget *parent)
    : QDialog(parent), ui(uiServices), windowSetup(std::move(setup)),
      recordPlayer(std::move(playRecord)), checker(std::move(recheck))
{
    setObjectName(QStringLiteral("FormPreflight"));
    setWindowTitle(toQString(windowSetup.title));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(InitialWidth, InitialHeight);
    if (parent != nullptr)
        parent->window()->installEventFilter(this);

    summaryText = new QLabel(this);
    summaryText->setObjectName(QStringLiteral("summaryText"));
    summaryText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    model = new PreflightProblemModel(this);
    problemTable = new QTableView(this);
    problemTable->setObjectName(QStringLiteral("problemTable"));
    problemTable->setModel(model);
    problemTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    problemTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    problemTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    problemTable->verticalHeader()->hide();
    // Rows of one height: a list of millions scrolls without measuring each.
    problemTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    problemTable->horizontalHeader()->setStretchLastSection(true);
    problemTable->setSortingEnabled(true);
    problemTable->sortByColumn(PreflightProblemModel::RecordColumn, Qt::AscendingOrder);
    showRun(std::move(run));
    problemTable->resizeColumnsToContents();
    hintText = new QLabel(QString::fromUtf8(HintLine), this);
    hintText->setObjectName(QStringLiteral("hintText"));
    hintText->setVisible(static_cast<bool>(recordPlayer));
    statusText = new QLabel(this);
    statusText->setObjectName(QStringLiteral("statusText"));
    statusText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QHBoxLayout;
    cb_Copy = addButton(*buttons, CopyText, "cb_Copy", this);
    cb_Save = addButton(*buttons, SaveText, "cb_Save", this);
    cb_Recheck = addButton(*buttons, RecheckText, "cb_Recheck", this);
    cb_Recheck->setVisible(static_cast<bool>(checker));
    buttons->addStretch();
    cb_Close = addButton(*buttons, CloseText, "cb_Close", this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summaryText);
    layout->addWidget(problemTable, 1);
    layout->addWidget(hintText);
    layout->addWidget(statusText);
    layout->addLayout(buttons);

    connect(cb_Copy, &QPushButton::clicked, this, &FormPreflight::copyRows);
    connect(cb_Save, &QPushButton::clicked, this, &FormPreflight::saveRows);
    connect(cb_Recheck, &QPushButton::clicked, this, &FormPreflight::checkAgain);
    connect(cb_Close, &QPushButton::clicked, this, &FormPreflight::close);
    connect(problemTable, &QAbstractItemView::doubleClicked, this, &FormPreflight::playRow);
}

void FormPreflight::showRun(PreflightRun run)
{
    summaryText->setText(summaryOf(run));
    model->setProblems(std::move(run.problems));
}

void FormPreflight::checkAgain()
{
    if (!checker)
        return;
    std::optional<PreflightRun> run = checker(this);
    if (!run)
        return;
    showRun(std::move(*run));
    statusText->setText(QString::fromUtf8(RecheckedText));
}

// The main window closing takes its check windows with it.
bool FormPreflight::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close)
        close(); // only the main window is watched
    return QDialog::eventFilter(watched, event);
}

void FormPreflight::copyRows()
{
    std::vector<int> rows;
    for (const QModelIndex &index : problemTable->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(toQString(model->csvText(rows)));
}

void FormPreflight::saveRows()
{
    const std::optional<std::filesystem::path> file =
        ui.chooseSaveFile({SaveTitle, {{CsvFilterLabel, "*.csv"}}, windowSetup.proposedFile});
    if (!file)
        return;
    if (model->saveCsv(*file)) {
        windowSetup.proposedFile = *file;
        statusText->setText(QString::fromUtf8(SavedText).arg(toQString(fullPath(*file).string())));
        return;
    }
    statusText->clear();
    ui.showMessage({windowSetup.caption,
                    toUtf8(QString::fromUtf8(SaveFailedText).arg(toQString(file->string()))),
                    MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

void FormPreflight::playRow(const QModelIndex &index)
{
    if (!recordPlayer || !index.isValid())
        return;
    const PreflightProblem problem = model->problem(index.row());
    recordPlayer(problem.operatorName, problem.record);
}

} // namespace vorela
