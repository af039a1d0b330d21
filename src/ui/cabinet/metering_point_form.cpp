#include "ui/cabinet/metering_point_form.h"

#include "core/cabinet/cabinet_captions.h"
#include "ui/pressure/unit_combo_box.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

TForm3::TForm3(AppState &state)
    : CabinetForm(state, QStringLiteral("TForm3"), CabinetKind::Metering)
{
    Panel2 = Look::WhitePanel(this, QStringLiteral("Panel2"), QRect(8, 100, 617, 137));
    Label2 = makeBoldLabel(QStringLiteral("Label2"), QStringLiteral("Максимальное и минимальное значение избыточного давления на входе"), 8, 8, Panel2);
    Label3 = makeBoldLabel(QStringLiteral("Label3"), QStringLiteral("(не более 1,6 Мпа):"), 456, 8, Panel2);
    // The two read as one line; a wider font moves the second part along.
    layOutLater([this] {
        Label3->move(std::max(Label3->x(), Label2->geometry().right() + 5), Label3->y());
    });
    Label14 = makeValueCaption(QStringLiteral("Label14"), QStringLiteral("Pmax"), 48, 35, Panel2);
    Edit3 = makeEdit(QStringLiteral("Edit3"), QRect(88, 32, 81, 21), Panel2);
    ComboBox1 = makeUnitList(QStringLiteral("ComboBox1"), QRect(176, 32, 75, 21), Panel2);
    Label15 = makeValueCaption(QStringLiteral("Label15"), QStringLiteral("Pmin"), 352, 35, Panel2);
    Edit4 = makeEdit(QStringLiteral("Edit4"), QRect(392, 32, 81, 21), Panel2);
    ComboBox2 = makeUnitList(QStringLiteral("ComboBox2"), QRect(480, 32, 75, 21), Panel2);
    Label5 = makeBoldLabel(QStringLiteral("Label5"), QStringLiteral("Диапазон расхода газа при стандартных условиях:"), 8, 72, Panel2);
    Label160 = makeValueCaption(QStringLiteral("Label160"), QStringLiteral("Qmax"), 49, 100, Panel2);
    Edit11 = makeEdit(QStringLiteral("Edit11"), QRect(88, 97, 81, 21), Panel2);
    Label161 = makeValueCaption(QStringLiteral("Label161"), QStringLiteral("Qmin"), 353, 100, Panel2);
    Edit12 = makeEdit(QStringLiteral("Edit12"), QRect(392, 97, 81, 21), Panel2);

    makeOptionPanel(QStringLiteral("SidePanel"), QRect(8, 244, 305, 57), Label6,
                    QStringLiteral("Label6"), QStringLiteral("Вход и выход газа:"),
                    {{&RadioButton5, QStringLiteral("RadioButton5"), SideCaptions()[0]},
                     {&RadioButton6, QStringLiteral("RadioButton6"), SideCaptions()[1]}});
    makeOptionPanel(QStringLiteral("BypassPanel"), QRect(320, 244, 305, 57), Label4,
                    QStringLiteral("Label4"), QStringLiteral("Наличие байпаса:"),
                    {{&RadioButton9, QStringLiteral("RadioButton9"), BypassCaptions()[0]},
                     {&RadioButton10, QStringLiteral("RadioButton10"), BypassCaptions()[1]}});
    makeOptionPanel(QStringLiteral("GaugePanel"), QRect(120, 308, 369, 57), Label7,
                    QStringLiteral("Label7"), QStringLiteral("Наличие манометров для визуального контроля давления:"),
                    {{&RadioButton7, QStringLiteral("RadioButton7"), GaugeCaptions()[0]},
                     {&RadioButton8, QStringLiteral("RadioButton8"), GaugeCaptions()[1]}});

    chainEnter({Edit3, Edit4, Edit11, Edit12});
    setFocusOrder({RadioButton1, RadioButton2, RadioButton3, RadioButton4, Edit3, ComboBox1, Edit4,
                   ComboBox2, Edit11, Edit12, RadioButton5, RadioButton6, RadioButton7,
                   RadioButton8, BitBtn1, BitBtn2, BitBtn3, RadioButton9, RadioButton10});
    layOutLater([this] { fitToCaptions(); });
}

int TForm3::bypassChoice() const
{
    return RadioButton9->isChecked() ? 1 : RadioButton10->isChecked() ? 2 : 0;
}
