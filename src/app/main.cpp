#include "app/app_state.h"
#include "app/window_set.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    auto state = std::make_unique<AppState>();
    WindowSet windows(*state);
    windows.ShowMainWindow();
    return app.exec();
}
