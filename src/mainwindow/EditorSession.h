// What the main window's parts share: the stores, the UI services, the hooks to the other
// windows and the window's state flags.
#pragma once

#include "mainwindow/Form1Hooks.h"
#include "platform/DataDirectory.h"

#include <QWidget>

#include <string>

namespace vorela {

class LexItem;
class RegistryStore;
class SoundBank;
class TaskTableQuery;
class UiServices;

/// The process-wide objects the editor's start-up makes before the main window.
struct EditorContext {
    RegistryStore &store;
    LexItem &lexemeRoot;
    DataDirectory dataDirectory;
    UiServices &ui;
    const TaskTableQuery &tables;
    SoundBank &bank;
};

struct EditorSession {
    EditorContext context;
    Form1Hooks &hooks;
    QWidget &window;
    /// False while a deletion runs or something plays: the commands that need it do nothing.
    bool ready = true;
    /// True whenever no template plays.
    bool stopRequested = true;

    /// Messages are captioned with the window's title.
    [[nodiscard]] std::string caption() const;
    /// An information box with OK, captioned with the window's title.
    void inform(const std::string &text) const;
    /// A warning box with OK, captioned with the window's title.
    void warn(const std::string &text) const;
};

} // namespace vorela
