// The history window reads the log once when it opens and the changes of the versions a few at
// a time, so that a long history never holds the editor still.
#include "mainwindow/HistoryWindow.h"

#include "mainwindow/EditorSession.h"
#include "mainwindow/VersionKeeper.h"
#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "versions/ChangeWords.h"
#include "versions/History.h"
#include "versions/LoginName.h"
#include "versions/VersionChangeWalk.h"
#include "versions/VersionRestore.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vorela {

using namespace std::chrono_literals;

static constexpr const char *WindowTitle = "История версий";
static constexpr const char *ChangesCaption = "Изменения в выбранной версии:";
static constexpr const char *RestoreText = "Восстановить";
static constexpr const char *CloseText = "Закрыть";
static constexpr const char *ReadFailedText = "Не удалось прочитать историю версий:\n";
static constexpr const char *NoVersionsText =
    "Версий пока нет. Редактор сохраняет версию перед каждым действием, которое удаляет данные, "
    "и при закрытии.";
static constexpr const char *ReadingText = "Читаются изменения версий: ";
static constexpr const char *NotYetRead = "…";
static constexpr const char *ChangesFailedText = "не удалось прочитать";
static constexpr const char *ChangesFailedSentence = "Не удалось прочитать изменения: ";
static constexpr const char *RestoreQuestion =
    "Восстановить библиотеку (лексемы, шаблоны и звуки) такой, какой она была в версии от ";
static constexpr const char *RestoreQuestionTail =
    "?\n\nНынешнее состояние библиотеки будет сохранено как отдельная версия, к нему можно будет "
    "вернуться.";
static constexpr const char *RestoreVersionText = "Перед восстановлением версии от ";
static constexpr const char *RestoredMessage = "Восстановлена версия от ";
static constexpr const char *RestoredText = "Библиотека восстановлена по версии от ";
static constexpr const char *AlreadyText = "Библиотека уже совпадает с версией от ";
static constexpr const char *RestoreFailedText = "Не удалось восстановить версию от ";
// How long one turn of the event loop reads changes, so the window keeps answering.
static constexpr qint64 TurnMilliseconds = 40;
// A template or the bank kept by a mailing is waited for this long.
static constexpr std::chrono::milliseconds LockWait = 5s;

enum Column { WhenColumn, AuthorColumn, ChangesColumn, MessageColumn };

static std::string timeText(const VersionInfo &version)
{
    const QDateTime time =
        QDateTime::fromSecsSinceEpoch(version.time, Qt::OffsetFromUTC, version.offsetMinutes * 60);
    return toUtf8(time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
}

HistoryWindow::HistoryWindow(EditorSession &editorSession, std::function<void()> reload,
                             QWidget *parent)
    : QWidget(parent, Qt::Window), session(editorSession), reloadLibrary(std::move(reload)),
      changeTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(WindowTitle));
    changeTimer->setObjectName(QStringLiteral("changeTimer"));
    changeTimer->setInterval(0);
    connect(changeTimer, &QTimer::timeout, this, &HistoryWindow::readSomeChanges);
    buildWidgets();
    readHistory();
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::buildWidgets()
{
    versionList = new QTreeWidget(this);
    versionList->setObjectName(QStringLiteral("versionList"));
    versionList->setRootIsDecorated(false);
    versionList->setHeaderLabels({QStringLiteral("Когда"), QStringLiteral("Кто"),
                                  QStringLiteral("Что изменилось"), QStringLiteral("Описание")});
    versionList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    versionList->header()->setStretchLastSection(true);
    changeList = new QListWidget(this);
    changeList->setObjectName(QStringLiteral("changeList"));
    historyStatus = new QLabel(this);
    historyStatus->setObjectName(QStringLiteral("historyStatus"));
    historyStatus->setWordWrap(true);
    restoreButton = new QPushButton(QString::fromUtf8(RestoreText), this);
    restoreButton->setObjectName(QStringLiteral("restoreButton"));
    closeButton = new QPushButton(QString::fromUtf8(CloseText), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(restoreButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(versionList, 3);
    layout->addWidget(new QLabel(QString::fromUtf8(ChangesCaption), this));
    layout->addWidget(changeList, 2);
    layout->addWidget(historyStatus);
    layout->addLayout(buttons);
    resize(900, 560);

    connect(versionList, &QTreeWidget::currentItemChanged, this,
            &HistoryWindow::showSelectedChanges);
    connect(restoreButton, &QPushButton::clicked, this, &HistoryWindow::restoreSelected);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

// A failed read is said in the window: an empty list would claim there are no versions.
void HistoryWindow::readHistory()
{
    changeTimer->stop();
    walk.reset();
    versionList->clear();
    changeList->clear();
    versions.clear();
    std::string error;
    if (!history)
        history = History::open(session.context.dataDirectory, error);
    if (!history || !history->log(versions, error)) {
        versions.clear();
        showStatus(ReadFailedText + error);
        versionList->setEnabled(false);
        restoreButton->setEnabled(false);
        return;
    }
    versionList->setEnabled(true);
    sentences.assign(versions.size(), {});
    for (const VersionInfo &version : versions) {
        auto *item = new QTreeWidgetItem(versionList);
        item->setText(WhenColumn, toQString(timeText(version)));
        item->setText(AuthorColumn, toQString(version.author));
        item->setText(ChangesColumn, QString::fromUtf8(NotYetRead));
        item->setText(MessageColumn, toQString(version.message));
    }
    restoreButton->setEnabled(!versions.empty());
    showStatus(versions.empty() ? NoVersionsText : "");
    if (versions.empty())
        return;
    versionList->setCurrentItem(versionList->topLevelItem(0));
    walk = std::make_unique<VersionChangeWalk>(*history, versions);
    changeTimer->start();
}

void HistoryWindow::readSomeChanges()
{
    QElapsedTimer turn;
    turn.start();
    while (!walk->done() && turn.elapsed() < TurnMilliseconds) {
        const std::size_t row = walk->position();
        std::vector<LibraryChange> changes;
        std::string error;
        QTreeWidgetItem *item = versionList->topLevelItem(static_cast<int>(row));
        if (!walk->step(changes, error)) {
            item->setText(ChangesColumn, QString::fromUtf8(ChangesFailedText));
            sentences[row] = {ChangesFailedSentence + error};
        } else {
            item->setText(ChangesColumn, toQString(changeSummary(changes)));
            sentences[row] = changeSentences(changes);
        }
        if (static_cast<int>(row) == selectedRow())
            showSelectedChanges();
    }
    if (!walk->done()) {
        showStatus(ReadingText + std::to_string(walk->position()) + " из " +
                   std::to_string(versions.size()));
        return;
    }
    changeTimer->stop();
    showStatus("");
    emit changesRead();
}

// The line takes no room while there is nothing to say.
void HistoryWindow::showStatus(const std::string &text)
{
    historyStatus->setText(toQString(text));
    historyStatus->setVisible(!text.empty());
}

int HistoryWindow::selectedRow() const
{
    QTreeWidgetItem *item = versionList->currentItem();
    return item == nullptr ? -1 : versionList->indexOfTopLevelItem(item);
}

void HistoryWindow::showSelectedChanges()
{
    changeList->clear();
    const int row = selectedRow();
    if (row < 0)
        return;
    const std::vector<std::string> &lines = sentences[static_cast<std::size_t>(row)];
    if (lines.empty()) {
        changeList->addItem(versionList->topLevelItem(row)->text(ChangesColumn));
        return;
    }
    for (const std::string &line : lines)
        changeList->addItem(toQString(line));
}

void HistoryWindow::restoreSelected()
{
    const int row = selectedRow();
    if (row < 0 || !history || !session.ready)
        return;
    const VersionInfo version = versions[static_cast<std::size_t>(row)];
    const std::string when = timeText(version);
    if (session.context.ui.showMessage(
            {session.caption(),
             RestoreQuestion + when + " (" + version.author + ")" + RestoreQuestionTail,
             MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No}) !=
        MessageAnswer::Yes)
        return;
    if (!VersionKeeper(session).saveBefore(RestoreVersionText + when))
        return;
    const VersionOutcome outcome = restoreVersion(
        session.context.dataDirectory, session.context.store, *history, version.id, loginName(),
        {.wait = LockWait, .editor = EditorHolder::Caller, .message = RestoredMessage + when});
    // Even a restore that failed half way may have changed the registry: show what is stored.
    reloadLibrary();
    if (!outcome.ok())
        session.warn(RestoreFailedText + when + ":\n" + outcome.error);
    else
        session.inform((outcome.unchanged ? AlreadyText : RestoredText) + when + ".");
    readHistory();
}

} // namespace vorela
