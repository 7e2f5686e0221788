// Versions saved by the editor by itself.
#include "mainwindow/VersionKeeper.h"

#include "mainwindow/EditorSession.h"
#include "platform/UiServices.h"
#include "versions/History.h"
#include "versions/LoginName.h"
#include "versions/VersionSave.h"

namespace vorela {

static constexpr const char *SaveFailedText =
    "Не удалось сохранить версию библиотеки перед этим действием:\n";
static constexpr const char *GoOnQuestion =
    "\n\nПродолжить без сохранения версии? Вернуть библиотеку к нынешнему состоянию потом будет "
    "нельзя.";
static constexpr const char *CloseMessage = "При закрытии редактора";
static constexpr const char *CloseFailedText =
    "Не удалось сохранить версию библиотеки при закрытии редактора:\n";
static constexpr const char *CloseFailedTail =
    "\n\nВсе изменения записаны в библиотеку, но последние из них не попали в историю версий. "
    "Редактор будет закрыт.";

VersionKeeper::VersionKeeper(const EditorSession &editorSession) : session(editorSession) {}

VersionOutcome VersionKeeper::save(const std::string &message) const
{
    VersionOutcome outcome;
    const std::unique_ptr<History> history =
        History::open(session.context.dataDirectory, outcome.error);
    if (!history)
        return outcome;
    return saveVersion(session.context.dataDirectory, session.context.store, *history, loginName(),
                       message);
}

bool VersionKeeper::saveBefore(const std::string &message) const
{
    const VersionOutcome outcome = save(message);
    if (outcome.ok())
        return true;
    return session.context.ui.showMessage(
               {session.caption(), SaveFailedText + outcome.error + GoOnQuestion,
                MessageIcon::Warning, MessageButtons::YesNo, MessageAnswer::No}) ==
           MessageAnswer::Yes;
}

void VersionKeeper::saveAtClose() const
{
    const VersionOutcome outcome = save(CloseMessage);
    if (!outcome.ok())
        session.warn(CloseFailedText + outcome.error + CloseFailedTail);
}

} // namespace vorela
