#include "ui/cabinet/reducing_form_base.h"

#include "core/cabinet/cabinet_captions.h"
#include "ui/pressure/unit_combo_box.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

ReducingFormBase::ReducingFormBase(AppState &state, const QString &className, CabinetKind kind,
                                   int sidePanelWidth)
    : CabinetForm(state, className, kind)
{
    Panel2 = Look::WhitePanel(this, QStringLiteral("Panel2"), QRect(8, 96, 617, 209));
    Label2 = makeBoldLabel(QStringLiteral("Label2"), QStringLiteral("Максимальное и минимальное значение избыточного давления на входе"), 8, 8, Panel2);
    Label3 = makeBoldLabel(QStringLiteral("Label3"), QStringLiteral("(не менее 0,01 МПа и не более 0,6 Мпа):"), 360, 24, Panel2);
    Label14 = makeValueCaption(QStringLiteral("Label14"), QStringLiteral("Pmax"), 48, 51, Panel2);
    Edit3 = makeEdit(QStringLiteral("Edit3"), QRect(88, 48, 81, 21), Panel2);
    ComboBox1 = makeUnitList(QStringLiteral("ComboBox1"), QRect(176, 48, 75, 21), Panel2);
    Label15 = makeValueCaption(QStringLiteral("Label15"), QStringLiteral("Pmin"), 352, 51, Panel2);
    Edit4 = makeEdit(QStringLiteral("Edit4"), QRect(392, 48, 81, 21), Panel2);
    ComboBox2 = makeUnitList(QStringLiteral("ComboBox2"), QRect(480, 48, 75, 21), Panel2);
    Label4 = makeBoldLabel(QStringLiteral("Label4"), QStringLiteral("Значение давления на выходе (от 1,8 кПа до 50 кПа):"), 8, 88, Panel2);
    Edit5 = makeEdit(QStringLiteral("Edit5"), QRect(88, 112, 81, 21), Panel2);
    ComboBox3 = makeUnitList(QStringLiteral("ComboBox3"), QRect(176, 112, 75, 21), Panel2);
    Label5 = makeBoldLabel(QStringLiteral("Label5"), QStringLiteral("Диапазон расхода газа при стандартных условиях:"), 8, 152, Panel2);
    Label160 = makeValueCaption(QStringLiteral("Label160"), QStringLiteral("Qmax"), 153, 180, Panel2);
    Edit11 = makeEdit(QStringLiteral("Edit11"), QRect(192, 177, 81, 21), Panel2);
    Label161 = makeValueCaption(QStringLiteral("Label161"), QStringLiteral("Qmin"), 329, 180, Panel2);
    Edit12 = makeEdit(QStringLiteral("Edit12"), QRect(368, 177, 81, 21), Panel2);

    makeOptionPanel(QStringLiteral("SidePanel"), QRect(8, 308, sidePanelWidth, 57), Label6,
                    QStringLiteral("Label6"), QStringLiteral("Вход и выход газа:"),
                    {{&RadioButton5, QStringLiteral("RadioButton5"), SideCaptions()[0]},
                     {&RadioButton6, QStringLiteral("RadioButton6"), SideCaptions()[1]}});
    makeOptionPanel(QStringLiteral("GaugePanel"), QRect(256, 308, 369, 57), Label7,
                    QStringLiteral("Label7"), QStringLiteral("Наличие манометров для визуального контроля давления:"),
                    {{&RadioButton7, QStringLiteral("RadioButton7"), GaugeCaptions()[0]},
                     {&RadioButton8, QStringLiteral("RadioButton8"), GaugeCaptions()[1]}});

    chainEnter({Edit3, Edit4, Edit5, Edit11, Edit12});
    setFocusOrder({RadioButton1, RadioButton2, RadioButton3, RadioButton4, Edit3, ComboBox1, Edit4,
                   ComboBox2, Edit5, ComboBox3, Edit11, Edit12, RadioButton5, RadioButton6,
                   RadioButton7, RadioButton8, BitBtn1, BitBtn2, BitBtn3});
    layOutLater([this] { fitToCaptions(); });
}

void ReducingFormBase::resetOwnControls()
{
    Edit5->clear();
    ComboBox3->setCurrentIndex(static_cast<int>(PressureUnit::Kilopascal));
}

PressureEntry ReducingFormBase::outletPressure() const
{
    return {Edit5->text(), ComboBox3->currentIndex()};
}
