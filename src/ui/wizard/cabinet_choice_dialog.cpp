#include "ui/wizard/cabinet_choice_dialog.h"

#include "core/cabinet/cabinet_captions.h"


#include <QPushButton>
#include <QRadioButton>

TOKBottomDlg6::TOKBottomDlg6(AppState &state)
    : ChoiceDialog(state, QStringLiteral("TOKBottomDlg6"),
                   QStringLiteral("Выбор типа шкафного пункта "))
{
    BitBtn1 = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Далее"), QRect(144, 176, 75, 25));
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Выход"), QRect(232, 176, 75, 25));
    auto radio = [this](const QString &name, const QString &caption, int top, int width) {
        auto *button = new QRadioButton(caption, this);
        button->setObjectName(name);
        button->setGeometry(24, top, width, 17);
        return button;
    };
    RadioButton1 = radio(QStringLiteral("RadioButton1"), CabinetKindCaption(CabinetKind::Metering), 32, 169);
    RadioButton2 = radio(QStringLiteral("RadioButton2"), CabinetKindCaption(CabinetKind::Reducing), 72, 233);
    RadioButton3 = radio(QStringLiteral("RadioButton3"), CabinetKindCaption(CabinetKind::MeteringReducing), 112, 273);

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, RadioButton1);
    setTabOrder(RadioButton1, RadioButton2);
    setTabOrder(RadioButton2, RadioButton3);

    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg6::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg6::BitBtn2Click);
    setChoices({RadioButton1, RadioButton2, RadioButton3});
}

void TOKBottomDlg6::BitBtn1Click()
{
    goOn();
}

void TOKBottomDlg6::BitBtn2Click()
{
    emit exitRequested();
}

CabinetKind TOKBottomDlg6::chosenKind() const
{
    if (RadioButton1->isChecked())
        return CabinetKind::Metering;
    if (RadioButton2->isChecked())
        return CabinetKind::Reducing;
    return CabinetKind::MeteringReducing;
}

void TOKBottomDlg6::ClearChoice()
{
    // Radio buttons of one group refuse to be unchecked while they exclude each other.
    for (QRadioButton *button : {RadioButton1, RadioButton2, RadioButton3}) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}
