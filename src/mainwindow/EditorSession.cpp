// What the main window's parts share.
#include "mainwindow/EditorSession.h"

#include "platform/qt/QtText.h"

namespace vorela {

std::string EditorSession::caption() const
{
    return toUtf8(window.windowTitle());
}

} // namespace vorela
