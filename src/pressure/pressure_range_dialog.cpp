#include "pressure/pressure_range_dialog.h"

#include "app/app_state.h"
#include "app/launch.h"
#include "app/window_set.h"
#include "pressure/pressure_units.h"
#include "pressure/unit_combo_box.h"
#include "selection/range_selection.h"
#include "selection/results_window.h"
#include "wizard/complex_choice_dialog.h"
#include "wizard/enter_key_rule.h"
#include "wizard/flow_range_dialog.h"
#include "wizard/messages.h"
#include "wizard/meter_choice_dialog.h"
#include "wizard/navigation.h"
#include "wizard/number_text.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <utility>

namespace {

constexpr int kUnitBar = static_cast<int>(PressureUnit::Bar);
constexpr int kNoUnit = -1;

// A pressure range wider than this ratio of absolute pressures is worth a warning.
constexpr double kWideRangeRatio = 5.0;

// The desktop's colours: the background of an input field, the 3D-light colour of
// a field that is switched off, and the ordinary text colour.
QColor WindowColour() { return QGuiApplication::palette().color(QPalette::Base); }
QColor Light3DColour() { return QGuiApplication::palette().color(QPalette::Light); }
QColor WindowTextColour() { return QGuiApplication::palette().color(QPalette::WindowText); }
QColor Silver() { return QColor(192, 192, 192); }

void SetTextColour(QLabel *label, const QColor &colour)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

// Base is the field background of an edit; a pick-only list paints with Button.
void SetBackground(QWidget *field, const QColor &colour)
{
    QPalette pal = field->palette();
    pal.setColor(QPalette::Base, colour);
    pal.setColor(QPalette::Button, colour);
    field->setPalette(pal);
}

// Unchecks a radio button even when it is the checked one of its exclusive pair.
void Uncheck(QRadioButton *button)
{
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

// An edit with its unit list switched on ("бар" picked, text kept) or off (no
// unit, text emptied).
void SwitchPressureInput(QLineEdit *edit, UnitComboBox *unit, bool on)
{
    const QColor background = on ? WindowColour() : Light3DColour();
    edit->setEnabled(on);
    SetBackground(edit, background);
    if (!on)
        edit->clear();
    unit->setEnabled(on);
    SetBackground(unit, background);
    unit->setCurrentIndex(on ? kUnitBar : kNoUnit);
}

// A pressure as typed and the same pressure in bar.
struct EnteredPressure {
    double typed;
    double bar;
};

std::optional<double> InBar(const UnitComboBox *unit, double typed)
{
    const double bar = PressureToBar(unit->currentIndex(), typed);
    if (!std::isfinite(bar))
        return std::nullopt;
    return bar;
}

} // namespace

TOKBottomDlg2::TOKBottomDlg2(AppState &state, WindowSet &windows)
    : WizardWindow(state, windows, QStringLiteral("TOKBottomDlg2"), QStringLiteral("Исходные данные"),
                   QSize(313, 207))
{
    Bevel1 = makeBevel();

    Label12 = makeLabel(QStringLiteral("Label12"), QStringLiteral("Введите диапазон рабочего"), 21, 13);
    Label13 = makeLabel(QStringLiteral("Label13"), QStringLiteral("(избыточного) давления газа"), 70, 32);
    for (QLabel *title : {Label12, Label13}) {
        title->setFont(Look::CaptionFont(true));
        title->adjustSize();
    }

    auto radio = [this](const QString &name, int top) {
        auto *button = new QRadioButton(this);
        button->setObjectName(name);
        button->setGeometry(24, top, 17, 17);
        return button;
    };
    auto edit = [this](const QString &name, int top) { return makeEdit(name, QRect(80, top, 81, 21)); };
    auto unitList = [this](const QString &name, int top) {
        return makeUnitList(name, QRect(168, top, 75, 21));
    };

    RadioButton1 = radio(QStringLiteral("RadioButton1"), 58);
    Label14 = makeLabel(QStringLiteral("Label14"), QStringLiteral("Pmax"), 40, 59);
    Edit3 = edit(QStringLiteral("Edit3"), 56);
    ComboBox1 = unitList(QStringLiteral("ComboBox1"), 56);
    Label15 = makeLabel(QStringLiteral("Label15"), QStringLiteral("Pmin"), 40, 91);
    Edit4 = edit(QStringLiteral("Edit4"), 88);
    ComboBox2 = unitList(QStringLiteral("ComboBox2"), 88);
    RadioButton2 = radio(QStringLiteral("RadioButton2"), 138);
    Label54 = makeLabel(QStringLiteral("Label54"), QStringLiteral("Pср"), 40, 139);
    Edit5 = edit(QStringLiteral("Edit5"), 136);
    ComboBox3 = unitList(QStringLiteral("ComboBox3"), 136);
    for (QLabel *caption : {Label14, Label15, Label54}) {
        caption->setFont(Look::CaptionFont(false));
        caption->adjustSize();
    }

    BitBtn1 = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Назад"), QRect(72, 176, 75, 25));
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Далее"), QRect(152, 176, 75, 25));
    BitBtn3 = makeButton(QStringLiteral("BitBtn3"), QStringLiteral("Выход"), QRect(232, 176, 75, 25));

    QWidget *const tabOrder[] = {BitBtn1, BitBtn2, BitBtn3, RadioButton1, Edit3, ComboBox1,
                                 Edit4,   ComboBox2, RadioButton2, Edit5, ComboBox3};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    InstallEnterRule(Edit3, Edit4);
    InstallEnterRule(Edit4, BitBtn2);
    InstallEnterRule(Edit5, BitBtn2);

    // A radio button acts when it becomes checked, not on a click on the one
    // already checked (that would throw away the chosen units).
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RadioButton2Click();
    });
    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg2::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TOKBottomDlg2::BitBtn3Click);

    FormCreate();
}

void TOKBottomDlg2::FormCreate()
{
    for (UnitComboBox *unit : {ComboBox1, ComboBox2, ComboBox3})
        unit->setCurrentIndex(kNoUnit);
    for (QWidget *field : std::initializer_list<QWidget *>{Edit3, Edit4, Edit5, ComboBox1, ComboBox2,
                                                          ComboBox3})
        field->setEnabled(false);
}

void TOKBottomDlg2::RadioButton1Click()
{
    state_.PressureRangeMode = 1;
    SwitchPressureInput(Edit3, ComboBox1, true);
    SwitchPressureInput(Edit4, ComboBox2, true);
    SetTextColour(Label14, WindowTextColour());
    SetTextColour(Label15, WindowTextColour());
    SwitchPressureInput(Edit5, ComboBox3, false);
    SetTextColour(Label54, Silver());
    Uncheck(RadioButton2);
}

void TOKBottomDlg2::RadioButton2Click()
{
    state_.PressureRangeMode = 0;
    SwitchPressureInput(Edit3, ComboBox1, false);
    SwitchPressureInput(Edit4, ComboBox2, false);
    SetTextColour(Label14, Silver());
    SetTextColour(Label15, Silver());
    SwitchPressureInput(Edit5, ComboBox3, true);
    SetTextColour(Label54, WindowTextColour());
    Uncheck(RadioButton1);
}

void TOKBottomDlg2::BitBtn1Click()
{
    Hide(this);
    ShowCentred(windows_.Dlg1.get(), windows_.mainWindow());
}

void TOKBottomDlg2::BitBtn2Click()
{
    const bool entered = enterPressures();
    if (entered) {
        const PressureSet &p = state_.Pressures;
        if (p.PmaxAbs / p.PminAbs > kWideRangeRatio)
            ShowWarning(this, Messages::WideRange());
        Hide(this);
        ShowCentred(windows_.Form2.get(), windows_.mainWindow());
    } else {
        ShowError(this, Messages::BadInput());
    }
    // The grids are refilled even after an input error; the results window stays
    // hidden then and the next run clears them before they are seen.
    runRangeSelection();
}

void TOKBottomDlg2::BitBtn3Click()
{
    ResetChainInputsFirstStage(windows_);
    Hide(this);
}

void TOKBottomDlg2::FormClose()
{
    ResetChainInputsFirstStage(windows_);
}

void TOKBottomDlg2::closeEvent(QCloseEvent *event)
{
    FormClose();
    WizardWindow::closeEvent(event);
}

void TOKBottomDlg2::ResetInputs()
{
    for (UnitComboBox *unit : {ComboBox1, ComboBox2, ComboBox3})
        unit->setCurrentIndex(kNoUnit);
    for (QLineEdit *edit : {Edit3, Edit4, Edit5})
        edit->clear();
    for (QWidget *field : std::initializer_list<QWidget *>{Edit3, Edit4, Edit5, ComboBox1, ComboBox2,
                                                          ComboBox3})
        field->setEnabled(false);
    Uncheck(RadioButton1);
    Uncheck(RadioButton2);
    for (QLabel *caption : {Label14, Label15, Label54})
        SetTextColour(caption, WindowTextColour());
}

bool TOKBottomDlg2::enterPressures()
{
    const bool range = state_.PressureRangeMode == 1;
    if (!(range ? readRange() : readWorkingPressure()))
        return false;

    PressureSet &p = state_.Pressures;
    p.PmaxAbs = ToAbsolute(p.PmaxGauge);
    p.PminAbs = ToAbsolute(p.PminGauge);
    // Fails on an absolute pressure of zero or below.
    if (!ToWorkingFlows(p, state_.QmaxStd, state_.QminStd))
        return false;

    TForm2 *results = windows_.Form2.get();
    if (!results->WriteWorkingFlows(p))
        return false;
    if (range) {
        results->UseRangeLayout();
        return results->WriteRangePressures(p);
    }
    results->UseSinglePressureLayout();
    return results->WriteSinglePressure(p);
}

bool TOKBottomDlg2::readRange()
{
    windows_.Form2->SetFormulaDenominators(QStringLiteral("Pmin+Patm"), QStringLiteral("Pmax+Patm"));

    PressureSet &p = state_.Pressures;
    const std::optional<double> upper = ReadNumber(Edit3->text());
    if (!upper)
        return false;
    p.PmaxGauge = *upper;
    const std::optional<double> lower = ReadNumber(Edit4->text());
    if (!lower)
        return false;
    p.PminGauge = *lower;

    const std::optional<double> upperBar = InBar(ComboBox1, *upper);
    const std::optional<double> lowerBar = InBar(ComboBox2, *lower);
    if (!upperBar || !lowerBar)
        return false;
    EnteredPressure top{*upper, *upperBar};
    EnteredPressure bottom{*lower, *lowerBar};

    // The bounds are put in order by their value in bar; each number moves
    // together with its unit.
    if (top.bar < bottom.bar) {
        std::swap(top, bottom);
        const int topUnit = ComboBox2->currentIndex();
        ComboBox2->setCurrentIndex(ComboBox1->currentIndex());
        ComboBox1->setCurrentIndex(topUnit);
        Edit3->setText(WriteNumber(top.typed));
        Edit4->setText(WriteNumber(bottom.typed));
    }
    p.PmaxGauge = top.bar;
    p.PminGauge = bottom.bar;

    ComboBox3->setCurrentIndex(kNoUnit);
    return true;
}

bool TOKBottomDlg2::readWorkingPressure()
{
    windows_.Form2->SetFormulaDenominators(QStringLiteral("Pср+Patm"), QStringLiteral("Pср+Patm"));

    PressureSet &p = state_.Pressures;
    const std::optional<double> typed = ReadNumber(Edit5->text());
    if (!typed)
        return false;
    p.PmaxGauge = *typed;
    p.PminGauge = *typed;
    const std::optional<double> bar = InBar(ComboBox3, *typed);
    if (!bar)
        return false;
    p.PmaxGauge = *bar;
    p.PminGauge = *bar;

    ComboBox1->setCurrentIndex(kNoUnit);
    ComboBox2->setCurrentIndex(kNoUnit);
    return true;
}

void TOKBottomDlg2::runRangeSelection()
{
    FamilyGates gates{};
    if (state_.SelectionMode == 1)
        gates = windows_.Dlg->gates();
    else if (state_.SelectionMode == 3)
        gates = windows_.Dlg3->gates();

    const PressureSet &p = state_.Pressures;
    TForm2 *results = windows_.Form2.get();
    results->ResetGrids();
    results->ShowSelection(RangeSelection(state_.Catalogue, state_.SelectionMode, p.PmaxAbs,
                                          p.QmaxWork, p.QminWork, gates));
}
