// The floor of the start-up measurement: a Qt Widgets program that shows one empty
// QMainWindow, started and stopped the same way as the program's benchmark copy.

#include "startup_probe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    MarkMainEntry();
    QApplication app(argc, argv);

    QMainWindow window;
    WatchFirstPaint(&window, "minimal_window");
    window.show();
    return app.exec();
}
