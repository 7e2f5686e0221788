// The one QApplication of a GUI benchmark, on the off-screen platform unless one is set.
#pragma once

#include <QApplication>

#include <cstdlib>

namespace vorela {

inline QApplication &offscreenApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char *argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

} // namespace vorela
