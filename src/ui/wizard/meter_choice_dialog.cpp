#include "ui/wizard/meter_choice_dialog.h"


#include <QCheckBox>
#include <QPushButton>

TOKBottomDlg3::TOKBottomDlg3(AppState &state)
    : ChoiceDialog(state, QStringLiteral("TOKBottomDlg3"), QStringLiteral("Выбор типа счетчика"))
{
    auto box = [this](const QString &name, const QString &caption, int top) {
        auto *check = new QCheckBox(caption, this);
        check->setObjectName(name);
        check->setGeometry(24, top, 273, 17);
        return check;
    };
    CheckBox1 = box(QStringLiteral("CheckBox1"), QStringLiteral("Ротационный счетчик газа ZAM"), 24);
    CheckBox2 = box(QStringLiteral("CheckBox2"), QStringLiteral("Турбинный счетчик ЗЕТ-16(75)М(МТ)"), 56);
    CheckBox3 = box(QStringLiteral("CheckBox3"), QStringLiteral("Турбинный счетчик KEL"), 88);
    Button1 = makeButton(QStringLiteral("Button1"), QStringLiteral("Выбрать все"), QRect(24, 136, 97, 17));
    Button2 = makeButton(QStringLiteral("Button2"), QStringLiteral("Отменить все"), QRect(128, 136, 97, 17));
    BitBtn1 = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Далее"), QRect(144, 176, 75, 25));
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Выход"), QRect(232, 176, 75, 25));

    setTabOrder(CheckBox1, CheckBox2);
    setTabOrder(CheckBox2, CheckBox3);
    setTabOrder(CheckBox3, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(Button1, &QPushButton::clicked, this, &TOKBottomDlg3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TOKBottomDlg3::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg3::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg3::BitBtn2Click);

    setChoices({CheckBox1, CheckBox2, CheckBox3});
    FormCreate();
}

void TOKBottomDlg3::FormCreate() { CheckAll(true); }
void TOKBottomDlg3::Button1Click() { CheckAll(true); }
void TOKBottomDlg3::Button2Click() { CheckAll(false); }

void TOKBottomDlg3::BitBtn1Click()
{
    goOn();
}

void TOKBottomDlg3::BitBtn2Click()
{
    emit exitRequested();
}

void TOKBottomDlg3::CheckAll(bool checked)
{
    setAllChoices(checked);
}

FamilyGates TOKBottomDlg3::gates() const
{
    return choiceGates();
}
