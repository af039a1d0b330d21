#include "app/window_set.h"
#include "app/catalogue_flow.h"
#include "app/project_flow.h"
#include "core/state/app_state.h"

#include "ui/launcher/about_window.h"
#include "ui/launcher/main_window.h"
#include "app/selection_flow.h"
#include "ui/conditions/conditions_dialog.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/project/project_document.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/navigation.h"
#include "ui/wizard/utility_choice_dialog.h"

#include <QCoreApplication>

WindowSet::WindowSet(AppState &state)
{
    // Each constructor runs its window's creation handler, so the order below is
    // also the order of the creation handlers.
    Form1 = std::make_unique<TForm1>();
    Form2 = std::make_unique<TForm2>(state);
    Dlg2 = std::make_unique<TOKBottomDlg2>(state);
    Dlg1 = std::make_unique<TOKBottomDlg1>(state);
    Dlg = std::make_unique<TOKBottomDlg>(state);
    Dlg3 = std::make_unique<TOKBottomDlg3>(state);
    Dlg4 = std::make_unique<TOKBottomDlg4>(state);
    Dlg5 = std::make_unique<TOKBottomDlg5>(state);
    Dlg6 = std::make_unique<TOKBottomDlg6>(state);
    Form3 = std::make_unique<TForm3>(state);
    Form4 = std::make_unique<TForm4>(state);
    Form5 = std::make_unique<TForm5>(state);
    Form6 = std::make_unique<TForm6>(state);
    Conditions = std::make_unique<ConditionsDialog>();
    flow_ = std::make_unique<SelectionFlow>(state, *this);
    project_ = std::make_unique<ProjectFlow>(state, *this);
    catalogue_ = std::make_unique<CatalogueFlow>(state, *this);
    // The project's points are priced by the list in force.
    QObject::connect(catalogue_.get(), &CatalogueFlow::priceListChanged, project_.get(),
                     [this] { project_->document().sizeAgain(); });
    // The results window names a loaded list below its grids; the built-in one it does not.
    QObject::connect(catalogue_.get(), &CatalogueFlow::priceListChanged, Form2.get(), [this, &state] {
        const PriceListInfo &list = PriceListInForce(state);
        Form2->ShowPriceList(list.isBuiltIn() ? QString() : QStringLiteral("Цены: %1").arg(PriceListTitle(list)));
    });
}

WindowSet::~WindowSet()
{
    // The flows go first, then the windows in reverse creation order.
    catalogue_.reset();
    project_.reset();
    flow_.reset();
    Conditions.reset();
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
    // A clean exit: the project's recovery file goes, then the event loop ends.
    QObject::connect(Form1.get(), &TForm1::closed, project_.get(), &ProjectFlow::Finish);
    QObject::connect(Form1.get(), &TForm1::closed, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    Form1->show();
    CentreOnScreen(Form1.get());
}
