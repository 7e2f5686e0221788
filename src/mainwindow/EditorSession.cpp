// What the main window's parts share.
#include "mainwindow/EditorSession.h"

#include "platform/UiServices.h"
#include "platform/qt/QtText.h"

namespace vorela {

std::string EditorSession::caption() const
{
    return toUtf8(window.windowTitle());
}

void EditorSession::inform(const std::string &text) const
{
    context.ui.showMessage(
        {caption(), text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
}

void EditorSession::warn(const std::string &text) const
{
    context.ui.showMessage(
        {caption(), text, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

} // namespace vorela
