#include "ui/wizard/utility_choice_dialog.h"


#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

TOKBottomDlg5::TOKBottomDlg5(AppState &state)
    : ChoiceDialog(state, QStringLiteral("TOKBottomDlg5"), QStringLiteral("Выбор типа счетчика"))
{
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Далее"), QRect(152, 176, 75, 25));
    BitBtn3 = makeButton(QStringLiteral("BitBtn3"), QStringLiteral("Выход"), QRect(232, 176, 75, 25));
    CheckBox1 = new QCheckBox(QStringLiteral("Коммунальный счетчик газа серии НМ"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(24, 40, 273, 17);
    Label1 = makeLabelInsideBevel(QStringLiteral("Label1"), QStringLiteral("без термокомпенсации"), 176, 72);
    CheckBox2 = new QCheckBox(QStringLiteral("Коммунальный счетчик газа серии НМ Т"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(24, 104, 273, 17);
    Label2 = makeLabelInsideBevel(QStringLiteral("Label2"), QStringLiteral("с термокомпенсацией"), 184, 136);

    setTabOrder(BitBtn2, BitBtn3);
    setTabOrder(BitBtn3, CheckBox1);
    setTabOrder(CheckBox1, CheckBox2);

    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg5::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TOKBottomDlg5::BitBtn3Click);

    setChoices({CheckBox1, CheckBox2});
    FormCreate();
}

void TOKBottomDlg5::FormCreate() { CheckAll(true); }

void TOKBottomDlg5::BitBtn2Click()
{
    goOn();
}

void TOKBottomDlg5::BitBtn3Click()
{
    emit exitRequested();
}

void TOKBottomDlg5::CheckAll(bool checked)
{
    setAllChoices(checked);
}

FamilyGates TOKBottomDlg5::gates() const
{
    return choiceGates();
}
