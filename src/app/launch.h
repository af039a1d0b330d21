#pragma once

struct AppState;
class WindowSet;
class QWidget;

// Starts the selection chain of a mode (1..5): sets the mode, puts every input
// window back to its defaults, closes the wizard windows and the results window,
// and shows the mode's first dialog centred on the main window.
void LaunchSelection(AppState &state, WindowSet &windows, int mode);

// The exit reset of a chain's "Выход": the choice dialogs and the flow and
// pressure-range inputs back to their defaults (first stage), then `caller` is
// closed, then the working-pressure input is emptied and set to "бар".
void ResetChainInputs(WindowSet &windows, QWidget *caller);

// The first stage of the exit reset alone (the pressure-range dialog's own reset).
void ResetChainInputsFirstStage(WindowSet &windows);

// Closes the results window and every wizard window, in the fixed order; the
// pressure-range dialog's close handler runs on the way. The About window stays.
void CloseWizardWindows(WindowSet &windows);
