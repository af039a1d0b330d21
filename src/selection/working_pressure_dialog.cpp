#include "selection/working_pressure_dialog.h"

#include "app/app_state.h"
#include "app/launch.h"
#include "app/window_set.h"
#include "pressure/pressure_units.h"
#include "pressure/unit_combo_box.h"
#include "selection/results_window.h"
#include "selection/working_selection.h"
#include "wizard/complex_choice_dialog.h"
#include "wizard/enter_key_rule.h"
#include "wizard/flow_range_dialog.h"
#include "wizard/messages.h"
#include "wizard/navigation.h"
#include "wizard/number_text.h"
#include "wizard/utility_choice_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <optional>

namespace {
// The unit a launch of `mode` puts in the list; -1 when the mode leaves it alone.
int UnitOfMode(int mode)
{
    switch (mode) {
    case 2:
        return static_cast<int>(PressureUnit::Bar);
    case 4:
        return static_cast<int>(PressureUnit::Kilopascal);
    default:
        return -1;
    }
}

// A value of the working step, kept only when it is a finite number.
bool StoreFinite(double &target, double value)
{
    if (!std::isfinite(value))
        return false;
    target = value;
    return true;
}
} // namespace

TOKBottomDlg4::TOKBottomDlg4(AppState &state, WindowSet &windows)
    : WizardWindow(state, windows, QStringLiteral("TOKBottomDlg4"), QStringLiteral("Исходные данные"),
                   QSize(313, 207))
{
    Bevel1 = makeBevel();

    // The two heading lines are centred over the bevel.
    auto heading = [this](const QString &name, const QString &caption, int top) {
        QLabel *label = makeLabel(name, caption, 0, top);
        label->setFont(Look::CaptionFont(true));
        label->adjustSize();
        label->move(Bevel1->x() + (Bevel1->width() - label->width()) / 2, top);
        return label;
    };
    Label12 = heading(QStringLiteral("Label12"), QStringLiteral("Введите рабочее"), 13);
    Label13 = heading(QStringLiteral("Label13"), QStringLiteral("(избыточное) давление газа"), 32);

    Label54 = makeLabel(QStringLiteral("Label54"), QStringLiteral("Pср"), 40, 91);
    Label54->setFont(Look::CaptionFont(false));
    Label54->adjustSize();

    Edit5 = makeEdit(QStringLiteral("Edit5"), QRect(80, 88, 81, 21));
    ComboBox3 = makeUnitList(QStringLiteral("ComboBox3"), QRect(168, 88, 75, 21));

    BitBtn1 = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Назад"), QRect(72, 176, 75, 25));
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Далее"), QRect(152, 176, 75, 25));
    BitBtn3 = makeButton(QStringLiteral("BitBtn3"), QStringLiteral("Выход"), QRect(232, 176, 75, 25));

    setTabOrder(Edit5, ComboBox3);
    setTabOrder(ComboBox3, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);

    InstallEnterRule(Edit5, BitBtn2);

    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg4::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg4::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TOKBottomDlg4::BitBtn3Click);

    FormCreate();
}

void TOKBottomDlg4::FormCreate()
{
    ClearPressure();
    // At start-up no mode is chosen yet, so the list stays without an item.
    if (const int unit = UnitOfMode(state_.SelectionMode); unit >= 0)
        SelectUnit(unit);
}

void TOKBottomDlg4::ClearPressure()
{
    Edit5->clear();
}

void TOKBottomDlg4::SelectUnit(int index)
{
    ComboBox3->setCurrentIndex(index);
}

void TOKBottomDlg4::BitBtn1Click()
{
    Hide(this);
    ShowCentred(windows_.Dlg1.get(), windows_.mainWindow());
}

void TOKBottomDlg4::BitBtn3Click()
{
    ResetChainInputs(windows_, this);
}

void TOKBottomDlg4::BitBtn2Click()
{
    if (publishWorkingValues()) {
        Hide(this);
        ShowCentred(windows_.Form2.get(), windows_.mainWindow());
    } else {
        ShowError(this, Messages::BadInput());
    }
    // The grids are refilled whatever the outcome; after a failure the results
    // window stays hidden and the next successful run refills them again.
    runSelection();
}

bool TOKBottomDlg4::publishWorkingValues()
{
    TForm2 &results = *windows_.Form2;
    PressureSet &p = state_.Pressures;
    const QString denominator = QStringLiteral("Pср+Patm");
    results.SetFormulaDenominators(denominator, denominator);

    // One pressure serves as both bounds: the edit is read once for each.
    const std::optional<double> upper = ReadNumber(Edit5->text());
    if (!upper)
        return false;
    p.PmaxGauge = *upper;
    const std::optional<double> lower = ReadNumber(Edit5->text());
    if (!lower)
        return false;
    p.PminGauge = *lower;

    const int unit = ComboBox3->currentIndex();
    if (!StoreFinite(p.PmaxGauge, PressureToBar(unit, p.PmaxGauge))
        || !StoreFinite(p.PminGauge, PressureToBar(unit, p.PminGauge))
        || !StoreFinite(p.PmaxAbs, ToAbsolute(p.PmaxGauge))
        || !StoreFinite(p.PminAbs, ToAbsolute(p.PminGauge)))
        return false;
    // An absolute pressure of 0 bar or below has no working flow.
    if (!ToWorkingFlows(p, state_.QmaxStd, state_.QminStd))
        return false;

    if (!results.WriteWorkingFlows(p))
        return false;
    results.UseSinglePressureLayout();
    return results.WriteSinglePressure(p);
}

void TOKBottomDlg4::runSelection()
{
    TForm2 &results = *windows_.Form2;
    results.ResetGrids();
    const int mode = state_.SelectionMode;
    FamilyGates gates{};
    if (mode == 2) {
        gates = windows_.Dlg->gates();
    } else if (mode == 4) {
        results.SetEuroPriceHeader();
        gates = windows_.Dlg5->gates();
    } else {
        return;
    }
    results.ShowSelection(WorkingPressureSelection(state_.Catalogue, mode, state_.Pressures, gates));
}
