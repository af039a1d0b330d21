#include "app/app_state.h"
#include "app/main_window.h"
#include "app/window_set.h"
#include "wizard/navigation.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    auto state = std::make_unique<AppState>();
    WindowSet windows(*state);

    TForm1 *main = windows.Form1.get();
    QObject::connect(main, &TForm1::closed, &app, &QApplication::quit);

    main->show();
    CentreOnScreen(main);
    return app.exec();
}
