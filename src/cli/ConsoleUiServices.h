// UiServices of the command-line tool: messages go to stderr, every question takes its safest
// answer (Cancel, No), so a command never waits for input.
#pragma once

#include "platform/UiServices.h"

namespace vorela {

class ConsoleUiServices : public UiServices {
public:
    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &request) override;
    int runDialog(ModalDialog &dialog) override;
};

} // namespace vorela
