// UiServices of the command-line tool: messages go to stderr with the answer that changes nothing.
#include "cli/ConsoleUiServices.h"

#include <iostream>

namespace vorela {

MessageAnswer ConsoleUiServices::showMessage(const MessageRequest &request)
{
    std::cerr << request.caption << ": " << request.text << '\n';
    return safestAnswer(request.buttons);
}

std::optional<std::filesystem::path> ConsoleUiServices::chooseOpenFile(const OpenFileRequest &)
{
    return std::nullopt;
}

int ConsoleUiServices::runDialog(ModalDialog &dialog)
{
    std::cerr << "vorela: dialog " << dialog.dialogName() << " needs the editor\n";
    return 0;
}

} // namespace vorela
