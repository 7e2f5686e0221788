#include "cli/ConsoleUiServices.h"

#include <iostream>

namespace vorela {

static MessageAnswer safestAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
    case MessageButtons::RetryCancel:
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

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
