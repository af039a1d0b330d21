#include "core/state/app_state.h"
#include "app/catalogue_flow.h"
#include "app/qt_translation.h"
#include "app/project_flow.h"
#include "app/window_set.h"
#include "report/c_numeric_locale.h"
#include "ui/settings/program_settings.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // QApplication set the C library's locale from the desktop; numbers written by
    // C libraries (the workbook) keep a point, the program's own follow QLocale.
    UseCNumericLocale();
    const auto qtTexts = InstallQtTranslation();
    app.setQuitOnLastWindowClosed(false);

    auto state = std::make_unique<AppState>();
    // The conditions kept from the last run; the defaults when there are none.
    state->Conditions = LoadConditions(DefaultSettingsPath());
    WindowSet windows(*state);
    windows.ShowMainWindow();
    // The price list kept from the last run, before anything is sized.
    windows.catalogue().LoadKept();
    windows.project().StartWith(app.arguments());
    return app.exec();
}
