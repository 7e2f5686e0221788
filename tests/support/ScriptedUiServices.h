// UiServices twin for tests: answers each expected interaction from a script, in order,
// records what was asked, and fails the test on an unexpected question.
#pragma once

#include "platform/UiServices.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vorela::test {

class ScriptedUiServices : public UiServices {
public:
    /// Expects a message whose text contains textPart; answers with answer.
    void expectMessage(std::string textPart, MessageAnswer answer);
    /// Expects an open-file dialog; answers with path (empty = cancelled).
    void expectOpenFile(std::filesystem::path path);
    /// Expects a save-file dialog; answers with path (empty = cancelled).
    void expectSaveFile(std::filesystem::path path);
    /// Expects the sub-dialog named dialogName; the handler acts on it and returns its result.
    void expectDialog(std::string dialogName, std::function<int(ModalDialog &)> handler);

    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &request) override;
    std::optional<std::filesystem::path> chooseSaveFile(const SaveFileRequest &request) override;
    int runDialog(ModalDialog &dialog) override;

    [[nodiscard]] const std::vector<MessageRequest> &messages() const { return shownMessages; }
    [[nodiscard]] const std::vector<OpenFileRequest> &openFileRequests() const
    {
        return fileRequests;
    }
    [[nodiscard]] const std::vector<SaveFileRequest> &saveFileRequests() const
    {
        return saveRequests;
    }
    /// True when every scripted step was used.
    [[nodiscard]] bool finished() const { return script.empty(); }

private:
    struct Step {
        enum class Kind { Message, OpenFile, SaveFile, Dialog } kind;
        std::string match;
        MessageAnswer answer = MessageAnswer::Ok;
        std::filesystem::path path;
        std::function<int(ModalDialog &)> handler;
    };
    /// The path a scripted file dialog of kind answers; a failure when another step is due.
    std::optional<std::filesystem::path> fileAnswer(Step::Kind kind, const char *dialog,
                                                    const std::string &title);

    std::deque<Step> script;
    std::vector<MessageRequest> shownMessages;
    std::vector<OpenFileRequest> fileRequests;
    std::vector<SaveFileRequest> saveRequests;
};

} // namespace vorela::test
