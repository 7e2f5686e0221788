// The one rule for the answer that changes nothing, shared by the editor and the tool.
#include "platform/UiServices.h"

namespace vorela {

MessageAnswer safestAnswer(MessageButtons buttons)
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

std::optional<std::filesystem::path> UiServices::chooseSaveFile(const SaveFileRequest &)
{
    return std::nullopt;
}

} // namespace vorela
