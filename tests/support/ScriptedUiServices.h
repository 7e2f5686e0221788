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
    /// Expects the sub-dialog named dialogName; the handler acts on it and returns its result.
    void expectDialog(std::string dialogName, std::function<int(ModalDialog &)> handler);

    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &request) override;
    int runDialog(ModalDialog &dialog) override;

    [[nodiscard]] const std::vector<MessageRequest> &messages() const { return shownMessages; }
    [[nodiscard]] const std::vector<OpenFileRequest> &openFileRequests() const
    {
        return fileRequests;
    }
    /// True when every scripted step was used.
    [[nodiscard]] bool finished() const { return script.empty(); }

private:
    struct Step {
        enum class Kind { Message, OpenFile, Dialog } kind;
        std::string match;
        MessageAnswer answer = MessageAnswer::Ok;
        std::filesystem::path path;
        std::function<int(ModalDialog &)> handler;
    };
    std::deque<Step> script;
    std::vector<MessageRequest> shownMessages;
    std::vector<OpenFileRequest> fileRequests;
};

} // namespace vorela::test
