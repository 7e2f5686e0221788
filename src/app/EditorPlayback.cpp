// Connects the main window's listening commands to the template player.
#include "app/EditorPlayback.h"

#include "mainwindow/Form1.h"
#include "mainwindow/SourceTreeWidget.h"
#include "mainwindow/TaskTreeWidget.h"

#include <vector>

namespace vorela {

EditorPlayback::EditorPlayback(Form1 &form, const EditorContext &context, AudioDevice &audio)
    : player(audio, context.ui, context.dataDirectory, form.windowTitle().toStdString(), &form),
      listening(player, context.store, context.tables, clock)
{
    QObject::connect(&player, &Form3::finished, &form, &Form1::playbackFinished);
    Form1Hooks &hooks = form.hooks();
    hooks.playItems = [this, &form,
                       &lexemes = context.lexemeRoot](const std::vector<SpokenItem> &items) {
        std::vector<ListenedItem> listened;
        listened.reserve(items.size());
        for (const SpokenItem &spoken : items)
            listened.push_back({spoken.item, spoken.task, spoken.marker});
        return listening.playItems(form.taskConfig(), lexemes, listened, *form.tv_1);
    };
    hooks.playFunctionEntry = [this, &form](std::uint64_t number, std::uintptr_t marker) {
        return listening.playFunctionEntry(number, marker, *form.tv_2);
    };
    hooks.stopPlayback = [this] { listening.stop(); };
}

} // namespace vorela
