#pragma once

#include <QObject>
#include <QString>

struct AppState;
struct FlowRangeReading;
struct SizingOutcome;
struct SizingConditions;
struct WindowList;
class QWidget;

// The roads of the five modes in one place: which window comes first, where each
// window's "Далее", "Назад" and "Выход" lead, the launch reset, the exit reset and
// the close handler's reset, and the results window's menu. The windows only say
// what the user asked for; the flow records what they read in the state and moves
// between them.
class SelectionFlow : public QObject {
    Q_OBJECT
public:
    SelectionFlow(AppState &state, WindowList &windows);

    // Starts the chain of `mode` (1..5): sets the mode, puts every input window
    // back to its defaults, closes the wizard windows and the results window, and
    // shows the mode's first dialog centred on the main window.
    void Launch(int mode);
    // The exit reset of a chain's "Выход": the first stage, then `caller` is
    // closed, then the working-pressure input is emptied and set to "бар".
    void ResetChainInputs(QWidget *caller);
    // The first stage alone: the choice dialogs and the flow and pressure-range
    // inputs back to their defaults.
    void ResetChainInputsFirstStage();
    // Closes the results window and every wizard window, in the fixed order; the
    // pressure-range dialog's close handler runs on the way. The About window stays.
    void CloseWizardWindows();
    // The conditions dialog, filled with the conditions in force.
    void ShowConditions();
    // Accepted conditions: kept in the state and the settings file, and the run the
    // results window shows is sized again under them.
    void ApplyConditions(const SizingConditions &conditions);
    // Where accepted conditions are kept (the user's settings file by default).
    void setSettingsPath(const QString &path) { settingsPath_ = path; }

private:
    void connectMainWindows();
    void connectChoiceDialogs();
    void connectInputWindows();
    void connectCabinetForms();

    QWidget *firstDialog(int mode) const;
    QWidget *choiceDialog(int mode) const;
    QWidget *pressureDialog(int mode) const;
    // Hides `from` and shows `to` centred on the main window.
    void move(QWidget *from, QWidget *to);
    void showAbout();
    void recordFlowRange(const FlowRangeReading &reading);
    // A chain's last window has sized: the results window shows the outcome and,
    // when it was accepted, takes the window's place.
    void showOutcome(QWidget *from, const SizingOutcome &outcome);

    AppState &state_;
    WindowList &w_;
    QString settingsPath_;
};
