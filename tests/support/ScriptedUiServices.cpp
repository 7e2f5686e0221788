#include "support/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <utility>

namespace vorela::test {

void ScriptedUiServices::expectMessage(std::string textPart, MessageAnswer answer)
{
    script.push_back({Step::Kind::Message, std::move(textPart), answer, {}, {}});
}

void ScriptedUiServices::expectOpenFile(std::filesystem::path path)
{
    script.push_back({Step::Kind::OpenFile, {}, MessageAnswer::Ok, std::move(path), {}});
}

void ScriptedUiServices::expectSaveFile(std::filesystem::path path)
{
    script.push_back({Step::Kind::SaveFile, {}, MessageAnswer::Ok, std::move(path), {}});
}

void ScriptedUiServices::expectDialog(std::string dialogName,
                                      std::function<int(ModalDialog &)> handler)
{
    script.push_back(
        {Step::Kind::Dialog, std::move(dialogName), MessageAnswer::Ok, {}, std::move(handler)});
}

MessageAnswer ScriptedUiServices::showMessage(const MessageRequest &request)
{
    shownMessages.push_back(request);
    if (script.empty() || script.front().kind != Step::Kind::Message) {
        ADD_FAILURE() << "unexpected message: " << request.caption << " / " << request.text;
        return request.defaultAnswer;
    }
    const Step step = script.front();
    script.pop_front();
    EXPECT_NE(request.text.find(step.match), std::string::npos)
        << "expected a message containing \"" << step.match << "\", got \"" << request.text << "\"";
    return step.answer;
}

std::optional<std::filesystem::path>
ScriptedUiServices::chooseOpenFile(const OpenFileRequest &request)
{
    fileRequests.push_back(request);
    return fileAnswer(Step::Kind::OpenFile, "open-file", request.title);
}

std::optional<std::filesystem::path>
ScriptedUiServices::chooseSaveFile(const SaveFileRequest &request)
{
    saveRequests.push_back(request);
    return fileAnswer(Step::Kind::SaveFile, "save-file", request.title);
}

std::optional<std::filesystem::path>
ScriptedUiServices::fileAnswer(Step::Kind kind, const char *dialog, const std::string &title)
{
    if (script.empty() || script.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << dialog << " dialog: " << title;
        return std::nullopt;
    }
    const Step step = script.front();
    script.pop_front();
    if (step.path.empty())
        return std::nullopt;
    return step.path;
}

int ScriptedUiServices::runDialog(ModalDialog &dialog)
{
    if (script.empty() || script.front().kind != Step::Kind::Dialog) {
        ADD_FAILURE() << "unexpected dialog: " << dialog.dialogName();
        return 0;
    }
    const Step step = script.front();
    script.pop_front();
    EXPECT_EQ(dialog.dialogName(), step.match);
    return step.handler(dialog);
}

} // namespace vorela::test
