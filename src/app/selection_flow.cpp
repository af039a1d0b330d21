#include "app/selection_flow.h"

#include "ui/launcher/about_window.h"
#include "ui/conditions/conditions_dialog.h"
#include "ui/settings/program_settings.h"
#include "ui/wizard/messages.h"
#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_list.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/results/results_window.h"
#include "core/selection/selection_modes.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/navigation.h"
#include "ui/wizard/utility_choice_dialog.h"

SelectionFlow::SelectionFlow(AppState &state, WindowList &windows)
    : QObject(nullptr), state_(state), w_(windows), settingsPath_(DefaultSettingsPath())
{
    setObjectName(QStringLiteral("SelectionFlow"));
    connectMainWindows();
    connectChoiceDialogs();
    connectInputWindows();
    connectCabinetForms();
}

void SelectionFlow::connectMainWindows()
{
    connect(w_.Form1.get(), &TForm1::launchRequested, this, &SelectionFlow::Launch);
    connect(w_.Form1.get(), &TForm1::aboutRequested, this, &SelectionFlow::showAbout);
    connect(w_.Form2.get(), &TForm2::mainMenuRequested, this, &SelectionFlow::CloseWizardWindows);
    connect(w_.Form2.get(), &TForm2::quitRequested, w_.Form1.get(), &QWidget::close);
    connect(w_.Form1.get(), &TForm1::conditionsRequested, this, &SelectionFlow::ShowConditions);
    connect(w_.Form2.get(), &TForm2::conditionsRequested, this, &SelectionFlow::ShowConditions);
    connect(w_.Conditions.get(), &ConditionsDialog::conditionsAccepted, this,
            &SelectionFlow::ApplyConditions);
}

void SelectionFlow::ShowConditions()
{
    ConditionsDialog *dialog = w_.Conditions.get();
    if (!dialog->isVisible()) {
        dialog->setConditions(state_.Conditions);
        ShowCentred(dialog, w_.Form1.get());
    }
    dialog->raise();
    dialog->activateWindow();
}

void SelectionFlow::ApplyConditions(const SizingConditions &conditions)
{
    state_.Conditions = conditions;
    SaveConditions(settingsPath_, conditions);
    TForm2 *results = w_.Form2.get();
    const auto &shown = results->shownOutcome();
    if (!results->isVisible() || !shown || !shown->accepted)
        return;
    SizingRequest request = shown->request;
    request.conditions = conditions;
    const SizingOutcome outcome = Size(request, state_.Catalogue);
    if (!outcome.accepted) {
        // The run cannot be sized under these conditions: it stays as shown, and
        // the next run of the windows meets the same refusal.
        ShowMessages(results, outcome.messages);
        return;
    }
    if (request.mode != 5)
        state_.Pressures = outcome.pressures;
    results->ShowOutcome(outcome);
}

void SelectionFlow::connectChoiceDialogs()
{
    // The complex bases (modes 1 and 2) and the industrial meters (mode 3): on to
    // the flow range with the checked families; "Выход" is the exit reset.
    connect(w_.Dlg.get(), &WizardWindow::nextAccepted, this, [this] {
        state_.Families = w_.Dlg->gates();
        move(w_.Dlg.get(), w_.Dlg1.get());
    });
    connect(w_.Dlg.get(), &WizardWindow::exitRequested, this,
            [this] { ResetChainInputs(w_.Dlg.get()); });
    connect(w_.Dlg3.get(), &WizardWindow::nextAccepted, this, [this] {
        state_.Families = w_.Dlg3->gates();
        move(w_.Dlg3.get(), w_.Dlg1.get());
    });
    connect(w_.Dlg3.get(), &WizardWindow::exitRequested, this,
            [this] { ResetChainInputs(w_.Dlg3.get()); });

    // The utility series (mode 4); "Выход" only closes it.
    connect(w_.Dlg5.get(), &WizardWindow::nextAccepted, this, [this] {
        state_.Families = w_.Dlg5->gates();
        move(w_.Dlg5.get(), w_.Dlg1.get());
    });
    connect(w_.Dlg5.get(), &WizardWindow::exitRequested, this, [this] { Close(w_.Dlg5.get()); });

    // The cabinet kind (mode 5) leads to its form.
    connect(w_.Dlg6.get(), &WizardWindow::nextAccepted, this, [this] {
        QWidget *form = nullptr;
        switch (w_.Dlg6->chosenKind()) {
        case CabinetKind::Metering:
            form = w_.Form3.get();
            break;
        case CabinetKind::Reducing:
            form = w_.Form4.get();
            break;
        case CabinetKind::MeteringReducing:
            form = w_.Form5.get();
            break;
        }
        move(w_.Dlg6.get(), form);
    });
    connect(w_.Dlg6.get(), &WizardWindow::exitRequested, this, [this] { Close(w_.Dlg6.get()); });
}

void SelectionFlow::connectInputWindows()
{
    // The flow range: every reading is kept; an accepted one goes to the results
    // window's input panel and on to the mode's pressure input.
    TOKBottomDlg1 *flows = w_.Dlg1.get();
    connect(flows, &TOKBottomDlg1::flowRangeRead, this, &SelectionFlow::recordFlowRange);
    connect(flows, &WizardWindow::nextAccepted, this, [this, flows] {
        w_.Form2->ShowFlowRange(state_.QmaxStd, state_.QminStd);
        Hide(flows);
        if (QWidget *next = pressureDialog(state_.SelectionMode))
            ShowCentred(next, w_.Form1.get());
    });
    connect(flows, &WizardWindow::backRequested, this, [this, flows] {
        Hide(flows);
        if (QWidget *choice = choiceDialog(state_.SelectionMode))
            ShowCentred(choice, w_.Form1.get());
    });
    connect(flows, &WizardWindow::exitRequested, this, [this, flows] { ResetChainInputs(flows); });

    // The pressure range (modes 1 and 3): its "Выход" and its close handler run
    // the first stage of the exit reset only.
    TOKBottomDlg2 *range = w_.Dlg2.get();
    connect(range, &TOKBottomDlg2::sized, this, [this, range](const SizingOutcome &outcome) {
        state_.Pressures = outcome.pressures;
        showOutcome(range, outcome);
    });
    connect(range, &WizardWindow::backRequested, this, [this, range] { move(range, w_.Dlg1.get()); });
    connect(range, &WizardWindow::exitRequested, this, [this, range] {
        ResetChainInputsFirstStage();
        Hide(range);
    });
    connect(range, &WizardWindow::closing, this, &SelectionFlow::ResetChainInputsFirstStage);

    // The working pressure (modes 2 and 4).
    TOKBottomDlg4 *working = w_.Dlg4.get();
    connect(working, &TOKBottomDlg4::sized, this, [this, working](const SizingOutcome &outcome) {
        state_.Pressures = outcome.pressures;
        showOutcome(working, outcome);
    });
    connect(working, &WizardWindow::backRequested, this,
            [this, working] { move(working, w_.Dlg1.get()); });
    connect(working, &WizardWindow::exitRequested, this,
            [this, working] { ResetChainInputs(working); });
}

void SelectionFlow::connectCabinetForms()
{
    for (CabinetForm *form : {static_cast<CabinetForm *>(w_.Form3.get()),
                              static_cast<CabinetForm *>(w_.Form4.get()),
                              static_cast<CabinetForm *>(w_.Form5.get())}) {
        connect(form, &CabinetForm::sized, this, [this, form](const SizingOutcome &outcome) {
            // The standard range is the program's; the pressures are the form's own.
            state_.QmaxStd = outcome.qmaxStd;
            state_.QminStd = outcome.qminStd;
            showOutcome(form, outcome);
        });
        connect(form, &WizardWindow::backRequested, this, [this, form] { move(form, w_.Dlg6.get()); });
        connect(form, &WizardWindow::exitRequested, this, [form] { Close(form); });
    }
}

QWidget *SelectionFlow::firstDialog(int mode) const
{
    return mode == 5 ? w_.Dlg6.get() : choiceDialog(mode);
}

QWidget *SelectionFlow::choiceDialog(int mode) const
{
    switch (mode) {
    case 1:
    case 2:
        return w_.Dlg.get();
    case 3:
        return w_.Dlg3.get();
    case 4:
        return w_.Dlg5.get();
    default:
        return nullptr;
    }
}

QWidget *SelectionFlow::pressureDialog(int mode) const
{
    if (AsksPressureRange(mode))
        return w_.Dlg2.get();
    if (AsksWorkingPressure(mode))
        return w_.Dlg4.get();
    return nullptr;
}

void SelectionFlow::move(QWidget *from, QWidget *to)
{
    Hide(from);
    ShowCentred(to, w_.Form1.get());
}

void SelectionFlow::showAbout()
{
    TForm6 *about = w_.Form6.get();
    about->show();
    about->raise();
    about->activateWindow();
}

void SelectionFlow::recordFlowRange(const FlowRangeReading &reading)
{
    state_.QmaxStd = reading.qmax;
    state_.QminStd = reading.qmin;
}

void SelectionFlow::showOutcome(QWidget *from, const SizingOutcome &outcome)
{
    TForm2 *results = w_.Form2.get();
    // The grids follow every press; after a refused one they stay out of sight.
    results->ShowOutcome(outcome);
    if (!outcome.accepted)
        return;
    Hide(from);
    if (from == w_.Form3.get()) {
        // The metering point's results stand where they last stood.
        results->show();
        results->raise();
        results->activateWindow();
    } else {
        ShowCentred(results, w_.Form1.get());
    }
}

void SelectionFlow::ResetChainInputsFirstStage()
{
    w_.Dlg->CheckAll(true);
    w_.Dlg3->CheckAll(true);
    w_.Dlg1->ClearEdits();
    w_.Dlg2->ResetInputs();
}

void SelectionFlow::ResetChainInputs(QWidget *caller)
{
    ResetChainInputsFirstStage();
    if (caller)
        Close(caller);
    w_.Dlg4->ClearPressure();
    w_.Dlg4->SelectUnit(WorkingPressureUnitAfterExit());
}

void SelectionFlow::CloseWizardWindows()
{
    QWidget *const order[] = {
        w_.Form2.get(), w_.Form3.get(), w_.Form4.get(), w_.Form5.get(),
        w_.Dlg.get(),   w_.Dlg1.get(),  w_.Dlg2.get(),  w_.Dlg3.get(),
        w_.Dlg4.get(),  w_.Dlg5.get(),  w_.Dlg6.get(),
    };
    for (QWidget *window : order)
        Close(window);
}

void SelectionFlow::Launch(int mode)
{
    state_.SelectionMode = mode;

    // The launch reset, in the order of the windows' rows.
    ResetChainInputsFirstStage();
    w_.Dlg4->ClearPressure();
    if (const int unit = WorkingPressureUnitOfMode(mode); unit >= 0)
        w_.Dlg4->SelectUnit(unit);
    w_.Dlg5->CheckAll(true);
    w_.Dlg6->ClearChoice();
    w_.Form3->LaunchReset();
    w_.Form4->LaunchReset();
    w_.Form5->LaunchReset();

    CloseWizardWindows();

    if (QWidget *first = firstDialog(mode))
        ShowCentred(first, w_.Form1.get());
}
