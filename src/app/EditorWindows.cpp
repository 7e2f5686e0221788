// Connects the main window's commands to the windows they open.
#include "app/EditorWindows.h"

#include "dialogs/FormTableLexems.h"
#include "mainwindow/Form1.h"
#include "platform/AudioDevice.h"
#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "soundeditor/window/GuidedRecording.h"

namespace vorela {

static std::optional<CreatedLexeme> created(const std::optional<NewLexeme> &lexeme)
{
    if (!lexeme)
        return std::nullopt;
    return CreatedLexeme{lexeme->chunkId, lexeme->name};
}

EditorWindows::EditorWindows(Form1 &form, const EditorContext &context, AudioDevice &audio)
    : inputSetting(context.store), soundContext{context.bank,   context.ui,
                                                audio,          context.dataDirectory,
                                                &context.store, &inputSetting},
      soundEditor(soundContext, &form)
{
    // The input chosen in an earlier session, present or not: a missing one is named when a
    // recording starts, rather than recording silently from another.
    if (const std::optional<std::string> chosen = inputSetting.chosenInput())
        audio.chooseInput(*chosen);
    Form1Hooks &hooks = form.hooks();
    hooks.listenLexeme = [this](const std::string &name, const std::string &chunk) {
        soundEditor.listen(name, chunk);
    };
    hooks.replaceInPlayer = [this](const std::string &name, const std::string &chunk) {
        soundEditor.replaceInPlayer(name, chunk);
    };
    hooks.replaceFromFile = [this](const std::string &name, const std::string &chunk) {
        soundEditor.replaceFromFile(name, chunk);
    };
    hooks.createInPlayer = [this](std::span<const std::string> chunks) {
        return created(soundEditor.createInPlayer(chunks));
    };
    hooks.createFromFile = [this](std::span<const std::string> chunks) {
        return created(soundEditor.createFromFile(chunks));
    };
    hooks.recordMissing = [this, &form](const LexItem &node) {
        GuidedRecording::run(soundContext, node, &form);
    };
    hooks.editLexemeTable = [this, &context](QWidget &owner, LexItem &table, LexItem &) {
        FormTableLexems dialog(table, context.lexemeRoot, soundContext, &owner);
        QtModalDialog modal(dialog, "FormTableLexems");
        (void)context.ui.runDialog(modal);
    };
}

} // namespace vorela
