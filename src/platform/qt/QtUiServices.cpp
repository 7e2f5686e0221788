// UiServices of the editor on Qt widgets.
#include "platform/qt/QtUiServices.h"

#include "platform/qt/QtText.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QTreeView>

#include <algorithm>

namespace vorela {

static constexpr int MinFileDialogWidth = 760;
static constexpr int MinFileDialogHeight = 480;

static QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

static QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

static QMessageBox::StandardButton qtButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

static MessageAnswer answerOf(int button, MessageButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    default:
        return safestAnswer(buttons); // closed with Escape or the title bar
    }
}

// Stored texts end lines with CR LF; Qt draws the CR as a visible box.
static QString displayText(const std::string &text)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

static QString filterText(const std::vector<FileFilter> &filters)
{
    QStringList parts;
    for (const FileFilter &filter : filters) {
        const QString label = toQString(filter.label);
        const QString pattern = toQString(filter.pattern);
        // Labels such as "Звуковые файлы(*.wav)" already carry their pattern.
        const bool carriesPattern = label.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'));
        parts << (carriesPattern ? label
                                 : label + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return parts.join(QStringLiteral(";;"));
}

namespace {

// Space stops and starts the editor's recordings and playbacks. A message that appears while the
// operator presses it (a take that ended by itself, a device that failed) must not take that
// Space as its answer, unread: Enter, Escape and the mouse answer a message.
class SpaceGuard : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        if (key && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QtUiServices::QtUiServices(QWidget *parent) : parentWidget(parent) {}

MessageAnswer QtUiServices::showMessage(const MessageRequest &request)
{
    QMessageBox box(qtIcon(request.icon), toQString(request.caption), displayText(request.text),
                    qtButtons(request.buttons), parentWidget.data());
    // Names shown in messages come from stored data: never let them be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(qtButton(request.defaultAnswer));
    box.setEscapeButton(qtButton(safestAnswer(request.buttons)));
    SpaceGuard guard;
    for (QAbstractButton *button : box.buttons())
        button->installEventFilter(&guard);
    return answerOf(box.exec(), request.buttons);
}

// Qt's own dialog on every desktop, in the detail view, wide enough that the long names of
// recordings and task tables are not cut off.
static std::optional<std::filesystem::path>
runFileDialog(QWidget *parent, const OpenFileRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, toQString(request.title), toQString(request.startPath.string()),
                       filterText(request.filters));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setViewMode(QFileDialog::Detail);
    const QScreen *screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen != nullptr ? screen->availableSize() : QSize(1024, 768);
    dialog.resize(std::max(MinFileDialogWidth, room.width() / 2),
                  std::max(MinFileDialogHeight, room.height() * 3 / 5));
    // The name column takes what the size, date and type columns leave.
    if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView")))
        view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(toUtf8(dialog.selectedFiles().constFirst()));
}

std::optional<std::filesystem::path> QtUiServices::chooseOpenFile(const OpenFileRequest &request)
{
    return runFileDialog(parentWidget.data(), request, QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path> QtUiServices::chooseSaveFile(const SaveFileRequest &request)
{
    return runFileDialog(parentWidget.data(), request, QFileDialog::AcceptSave);
}

int QtUiServices::runDialog(ModalDialog &dialog)
{
    return dialog.exec();
}

} // namespace vorela
