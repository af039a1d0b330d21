// The program's main() as it ships, with the start-up measurement added: the time
// to the first paint of the main window and the peak memory at that point. Quits
// there when GAS_EXIT_AFTER_SHOW is set. Keep in step with src/app/main.cpp.

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/window_set.h"
#include "startup_probe.h"

#include <QApplication>
#include <QScreen>

#include <memory>

int main(int argc, char *argv[])
{
    MarkMainEntry();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    auto state = std::make_unique<AppState>();
    WindowSet windows(*state);

    TForm1 *main = windows.Form1.get();
    QObject::connect(main, &TForm1::closed, &app, &QApplication::quit);

    WatchFirstPaint(main, "gasmeter-sizing");
    main->show();
    if (QScreen *screen = main->screen()) {
        QRect frame = main->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        main->move(frame.topLeft());
    }
    return app.exec();
}
