// The program's main() as it ships, for timing start-up against the floor
// (../shared/perf/floor.cpp): with GAS_QUIT_AFTER_SHOW set it quits as soon as its
// event loop runs, with the main window shown, as the floor does. Keep in step
// with src/app/main.cpp.

#include "app/catalogue_flow.h"
#include "app/qt_translation.h"
#include "app/window_set.h"
#include "core/state/app_state.h"
#include "report/c_numeric_locale.h"
#include "ui/settings/program_settings.h"

#include <QApplication>
#include <QTimer>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    UseCNumericLocale();
    const auto qtTexts = InstallQtTranslation();
    app.setQuitOnLastWindowClosed(false);

    auto state = std::make_unique<AppState>();
    state->Conditions = LoadConditions(DefaultSettingsPath());
    WindowSet windows(*state);
    windows.ShowMainWindow();
    windows.catalogue().LoadKept();
    if (qEnvironmentVariableIsSet("GAS_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
