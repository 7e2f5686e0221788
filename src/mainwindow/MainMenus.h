// The menu bar and the two context menus of the main window, with their commands as actions
// whose objectNames tests use.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>

namespace vorela {

struct MainMenus {
    /// Builds the menu bar into menuBar and both context menus as children of owner.
    MainMenus(QMenuBar &menuBar, QWidget &owner);

    // "Файл", "Вид", "Помощь".
    /// The versions of the library and the restore of one.
    QAction *history = nullptr;
    QAction *close = nullptr;
    /// Checkable: the source tree shows only lexemes without sound and the folders holding them.
    QAction *onlyMissing = nullptr;
    QAction *help = nullptr;
    QAction *about = nullptr;

    // Source tree, by menu position (the mask bits address positions 0..8).
    QMenu *sourceMenu = nullptr;
    QMenu *replaceMenu = nullptr;
    QMenu *createMenu = nullptr;
    QAction *replaceFromPlayer = nullptr;
    QAction *replaceFromFile = nullptr;
    QAction *createFromPlayer = nullptr;
    QAction *createFromFile = nullptr;
    /// Outside the mask positions: folders and the root have it, lexemes never.
    QAction *recordMissing = nullptr;
    QAction *createFolder = nullptr;
    QAction *rename = nullptr;
    QAction *removeSource = nullptr;
    QAction *createTable = nullptr;
    QAction *editTable = nullptr;
    /// The action at each menu position, separators included.
    std::array<QAction *, 11> sourcePositions{};

    // Task tree.
    QMenu *taskMenu = nullptr;
    QAction *listen = nullptr;
    QAction *stop = nullptr;
    QAction *checkTable = nullptr;
    QAction *removeItem = nullptr;
    QAction *clear = nullptr;
    QAction *boundary = nullptr;
    QAction *properties = nullptr;
    QAction *refresh = nullptr;
};

} // namespace vorela
