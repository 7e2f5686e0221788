// The menu bar and the two context menus of the main window.
#include "mainwindow/MainMenus.h"

namespace vorela {

static QAction *addAction(QMenu &menu, const char *text, const char *name)
{
    QAction *action = menu.addAction(QString::fromUtf8(text));
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

static QMenu *addSubmenu(QMenu &menu, const char *text, const char *name)
{
    QMenu *submenu = menu.addMenu(QString::fromUtf8(text));
    submenu->setObjectName(QString::fromUtf8(name));
    return submenu;
}

MainMenus::MainMenus(QMenuBar &menuBar, QWidget &owner)
{
    QMenu *file = menuBar.addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("fileMenu"));
    history = addAction(*file, "История версий...", "history");
    file->addSeparator();
    close = addAction(*file, "Закрыть", "close");
    QMenu *view = menuBar.addMenu(QStringLiteral("Вид"));
    view->setObjectName(QStringLiteral("viewMenu"));
    onlyMissing = addAction(*view, "Только без звука", "onlyMissing");
    onlyMissing->setCheckable(true);
    QMenu *helpMenu = menuBar.addMenu(QStringLiteral("Помощь"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    help = addAction(*helpMenu, "Справка по Ворела", "help");
    helpMenu->addSeparator();
    about = addAction(*helpMenu, "О программе", "about");

    sourceMenu = new QMenu(&owner);
    sourceMenu->setObjectName(QStringLiteral("sourceMenu"));
    replaceMenu = addSubmenu(*sourceMenu, "Заменить лексему", "replaceMenu");
    replaceFromPlayer = addAction(*replaceMenu, "из пpоигpывателя", "replaceFromPlayer");
    replaceFromFile = addAction(*replaceMenu, "из файла", "replaceFromFile");
    createMenu = addSubmenu(*sourceMenu, "Создать лексему", "createMenu");
    createFromPlayer = addAction(*createMenu, "из пpоигpывателя", "createFromPlayer");
    createFromFile = addAction(*createMenu, "из файла", "createFromFile");
    recordMissing = addAction(*sourceMenu, "Записать недостающие...", "recordMissing");
    QAction *separator1 = sourceMenu->addSeparator();
    createFolder = addAction(*sourceMenu, "Создать папку", "createFolder");
    rename = addAction(*sourceMenu, "Переименовать", "rename");
    removeSource = addAction(*sourceMenu, "Удалить", "removeSource");
    QAction *separator2 = sourceMenu->addSeparator();
    createTable = addAction(*sourceMenu, "Создать таблицу", "createTable");
    editTable = addAction(*sourceMenu, "Редактировать таблицу", "editTable");
    QAction *separator3 = sourceMenu->addSeparator();
    QAction *cancelSource = addAction(*sourceMenu, "Отмена", "cancelSource");
    sourcePositions = {replaceMenu->menuAction(),
                       createMenu->menuAction(),
                       separator1,
                       createFolder,
                       rename,
                       removeSource,
                       separator2,
                       createTable,
                       editTable,
                       separator3,
                       cancelSource};

    taskMenu = new QMenu(&owner);
    taskMenu->setObjectName(QStringLiteral("taskMenu"));
    listen = addAction(*taskMenu, "Пpослушать", "listen");
    stop = addAction(*taskMenu, "Остановить", "stop");
    checkTable = addAction(*taskMenu, "Проверить по таблице...", "checkTable");
    taskMenu->addSeparator();
    removeItem = addAction(*taskMenu, "Удалить", "removeItem");
    clear = addAction(*taskMenu, "Очистить", "clear");
    taskMenu->addSeparator();
    boundary = addAction(*taskMenu, "Граница...", "boundary");
    taskMenu->addSeparator();
    properties = addAction(*taskMenu, "Свойства", "properties");
    taskMenu->addSeparator();
    refresh = addAction(*taskMenu, "Обновить", "refresh");
    taskMenu->addSeparator();
    addAction(*taskMenu, "Oтмена", "cancelTask");
}

} // namespace vorela
