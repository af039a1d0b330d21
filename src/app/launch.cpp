#include "app/launch.h"

#include "app/app_state.h"
#include "app/window_set.h"
#include "cabinet/metering_point_form.h"
#include "cabinet/metering_reducing_point_form.h"
#include "cabinet/reducing_point_form.h"
#include "pressure/pressure_range_dialog.h"
#include "pressure/pressure_units.h"
#include "selection/results_window.h"
#include "selection/working_pressure_dialog.h"
#include "wizard/cabinet_choice_dialog.h"
#include "wizard/complex_choice_dialog.h"
#include "wizard/flow_range_dialog.h"
#include "wizard/meter_choice_dialog.h"
#include "wizard/navigation.h"
#include "wizard/utility_choice_dialog.h"

namespace {
constexpr int kUnitBar = static_cast<int>(PressureUnit::Bar);
constexpr int kUnitKilopascal = static_cast<int>(PressureUnit::Kilopascal);

QWidget *FirstDialog(WindowSet &windows, int mode)
{
    switch (mode) {
    case 1:
    case 2:
        return windows.Dlg.get();
    case 3:
        return windows.Dlg3.get();
    case 4:
        return windows.Dlg5.get();
    case 5:
        return windows.Dlg6.get();
    default:
        return nullptr;
    }
}
} // namespace

void ResetChainInputsFirstStage(WindowSet &windows)
{
    windows.Dlg->CheckAll(true);
    windows.Dlg3->CheckAll(true);
    windows.Dlg1->ClearEdits();
    windows.Dlg2->ResetInputs();
}

void ResetChainInputs(WindowSet &windows, QWidget *caller)
{
    ResetChainInputsFirstStage(windows);
    if (caller)
        Close(caller);
    windows.Dlg4->ClearPressure();
    windows.Dlg4->SelectUnit(kUnitBar);
}

void CloseWizardWindows(WindowSet &windows)
{
    QWidget *const order[] = {
        windows.Form2.get(), windows.Form3.get(), windows.Form4.get(), windows.Form5.get(),
        windows.Dlg.get(),   windows.Dlg1.get(),  windows.Dlg2.get(),  windows.Dlg3.get(),
        windows.Dlg4.get(),  windows.Dlg5.get(),  windows.Dlg6.get(),
    };
    for (QWidget *window : order)
        Close(window);
}

void LaunchSelection(AppState &state, WindowSet &windows, int mode)
{
    state.SelectionMode = mode;

    // The launch reset, in the order of the windows' rows.
    ResetChainInputsFirstStage(windows);
    windows.Dlg4->ClearPressure();
    if (mode == 2)
        windows.Dlg4->SelectUnit(kUnitBar);
    else if (mode == 4)
        windows.Dlg4->SelectUnit(kUnitKilopascal);
    windows.Dlg5->CheckAll(true);
    windows.Dlg6->ClearChoice();
    windows.Form3->LaunchReset();
    windows.Form4->LaunchReset();
    windows.Form5->LaunchReset();

    CloseWizardWindows(windows);

    if (QWidget *first = FirstDialog(windows, mode))
        ShowCentred(first, windows.mainWindow());
}
