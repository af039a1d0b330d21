// The program's main() as it ships, with the start-up measurement added: the time
// to the first paint of the main window and the peak memory at that point. Quits
// there when GAS_EXIT_AFTER_SHOW is set. Keep in step with src/app/main.cpp.

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "startup_probe.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    MarkMainEntry();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    auto state = std::make_unique<AppState>();
    WindowSet windows(*state);
    WatchFirstPaint(windows.Form1.get(), "gasmeter-sizing");
    windows.ShowMainWindow();
    return app.exec();
}
