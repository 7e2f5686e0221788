// vorela-window-grab WINDOW_ID OUT.png: saves a picture of one X11 window of the current display,
// for the screenshot script and the editor's start-up test.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorela-window-grab WINDOW_ID OUT.png\n");
        return 1;
    }
    const QGuiApplication application(argc, argv);
    const WId window = std::stoul(argv[1], nullptr, 0);
    QScreen *screen = QGuiApplication::primaryScreen();
    const QPixmap picture = screen != nullptr ? screen->grabWindow(window) : QPixmap();
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "vorela-window-grab: cannot grab window %s into %s\n", argv[1],
                     argv[2]);
        return 1;
    }
    return 0;
}
