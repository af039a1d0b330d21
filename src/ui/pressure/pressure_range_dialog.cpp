#include "ui/pressure/pressure_range_dialog.h"

#include "core/state/app_state.h"
#include "core/pressure/pressure_units.h"
#include "ui/pressure/unit_combo_box.h"
#include "ui/wizard/enter_key_rule.h"
#include "ui/wizard/messages.h"

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

} // namespace

TOKBottomDlg2::TOKBottomDlg2(AppState &state)
    : WizardWindow(state, QStringLiteral("TOKBottomDlg2"), QStringLiteral("Исходные данные"),
                   InputDialogGeometry::Size)
{
    Bevel1 = makeBevel();

    Label12 = makeLabel(QStringLiteral("Label12"), QStringLiteral("Введите диапазон рабочего"), 21, 13);
    Label13 = makeLabel(QStringLiteral("Label13"), QStringLiteral("(избыточного) давления газа"), 70, 32);
    for (QLabel *title : {Label12, Label13})
        title->setFont(Look::CaptionFont(true));

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
    for (QLabel *caption : {Label14, Label15, Label54})
        caption->setFont(Look::CaptionFont(false));

    makeButtonRow(BitBtn1, BitBtn2, BitBtn3);

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
    emit backRequested();
}

void TOKBottomDlg2::BitBtn2Click()
{
    SizingRequest request = ChainRequest(state_);
    request.range = state_.PressureRangeMode == 1;
    request.pmax = {Edit3->text(), ComboBox1->currentIndex()};
    request.pmin = {Edit4->text(), ComboBox2->currentIndex()};
    request.working = {Edit5->text(), ComboBox3->currentIndex()};
    const SizingOutcome outcome = Size(request, state_.Catalogue);

    const SizingRequest &shown = outcome.request;
    SetTextIfChanged(Edit3, shown.pmax.text);
    SetTextIfChanged(Edit4, shown.pmin.text);
    ComboBox1->setCurrentIndex(shown.pmax.unit);
    ComboBox2->setCurrentIndex(shown.pmin.unit);
    ComboBox3->setCurrentIndex(shown.working.unit);
    ShowMessages(this, outcome.messages);
    emit sized(outcome);
}

void TOKBottomDlg2::BitBtn3Click()
{
    emit exitRequested();
}

void TOKBottomDlg2::FormClose()
{
    emit closing();
}

void TOKBottomDlg2::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
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
