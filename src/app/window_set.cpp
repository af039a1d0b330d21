#include "app/window_set.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "cabinet/metering_point_form.h"
#include "cabinet/metering_reducing_point_form.h"
#include "cabinet/reducing_point_form.h"
#include "pressure/pressure_range_dialog.h"
#include "selection/results_window.h"
#include "selection/working_pressure_dialog.h"
#include "wizard/cabinet_choice_dialog.h"
#include "wizard/complex_choice_dialog.h"
#include "wizard/flow_range_dialog.h"
#include "wizard/meter_choice_dialog.h"
#include "wizard/navigation.h"
#include "wizard/utility_choice_dialog.h"

#include <QCoreApplication>

WindowSet::WindowSet(AppState &state)
{
    // Each constructor runs its window's creation handler, so the order below is
    // also the order of the creation handlers: the results window fills the
    // catalogue before any dialog exists.
    Form1 = std::make_unique<TForm1>(state, *this);
    Form2 = std::make_unique<TForm2>(state, *this);
    Dlg2 = std::make_unique<TOKBottomDlg2>(state, *this);
    Dlg1 = std::make_unique<TOKBottomDlg1>(state, *this);
    Dlg = std::make_unique<TOKBottomDlg>(state, *this);
    Dlg3 = std::make_unique<TOKBottomDlg3>(state, *this);
    Dlg4 = std::make_unique<TOKBottomDlg4>(state, *this);
    Dlg5 = std::make_unique<TOKBottomDlg5>(state, *this);
    Dlg6 = std::make_unique<TOKBottomDlg6>(state, *this);
    Form3 = std::make_unique<TForm3>(state, *this);
    Form4 = std::make_unique<TForm4>(state, *this);
    Form5 = std::make_unique<TForm5>(state, *this);
    Form6 = std::make_unique<TForm6>(state, *this);
}

WindowSet::~WindowSet()
{
    // Destroy in reverse creation order, explicitly, so no window outlives the
    // ones it may reach.
    Form6.reset();
    Form5.reset();
    Form4.reset();
    Form3.reset();
    Dlg6.reset();
    Dlg5.reset();
    Dlg4.reset();
    Dlg3.reset();
    Dlg.reset();
    Dlg1.reset();
    Dlg2.reset();
    Form2.reset();
    Form1.reset();
}

QWidget *WindowSet::mainWindow() const
{
    return Form1.get();
}

void WindowSet::ShowMainWindow()
{
    QObject::connect(Form1.get(), &TForm1::closed, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    Form1->show();
    CentreOnScreen(Form1.get());
}
