// Saves a picture of a dialog when VORELA_SCREENSHOT_DIR is set, for looking at the layouts.
#pragma once

#include <QWidget>

#include <cstdlib>

namespace vorela::test {

inline void saveScreenshot(QWidget &widget, const char *fileName)
{
    const char *directory = std::getenv("VORELA_SCREENSHOT_DIR");
    if (directory == nullptr)
        return;
    widget.show();
    widget.grab().save(QString::fromUtf8(directory) + "/" + fileName);
}

} // namespace vorela::test
