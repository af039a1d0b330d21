#include "ui/wizard/complex_choice_dialog.h"


#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

TOKBottomDlg::TOKBottomDlg(AppState &state)
    : ChoiceDialog(state, QStringLiteral("TOKBottomDlg"),
                   QStringLiteral("Выбор типа измерительного комплекса"))
{
    const QString caption = QStringLiteral("Измерительный комплекс на базе");
    auto box = [this, &caption](const QString &name, int top) {
        auto *check = new QCheckBox(caption, this);
        check->setObjectName(name);
        check->setGeometry(24, top, 273, 17);
        return check;
    };
    BitBtn1 = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Далее"), QRect(144, 176, 75, 25));
    CheckBox1 = box(QStringLiteral("CheckBox1"), 16);
    Label1 = makeLabelInsideBevel(QStringLiteral("Label1"), QStringLiteral("ротационного счетчика ZAM"), 152, 32);
    CheckBox2 = box(QStringLiteral("CheckBox2"), 56);
    Label2 = makeLabelInsideBevel(QStringLiteral("Label2"), QStringLiteral("турбинного счетчика ЗЕТ-16(75)М(МТ)"), 112, 72);
    CheckBox3 = box(QStringLiteral("CheckBox3"), 96);
    Label3 = makeLabelInsideBevel(QStringLiteral("Label3"), QStringLiteral("турбинного счетчика KEL"), 168, 112);
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Выход"), QRect(232, 176, 75, 25));
    Button1 = makeButton(QStringLiteral("Button1"), QStringLiteral("Выбрать все"), QRect(24, 144, 97, 17));
    Button2 = makeButton(QStringLiteral("Button2"), QStringLiteral("Отменить все"), QRect(128, 144, 97, 17));

    setTabOrder(BitBtn1, CheckBox1);
    setTabOrder(CheckBox1, CheckBox2);
    setTabOrder(CheckBox2, CheckBox3);
    setTabOrder(CheckBox3, BitBtn2);
    setTabOrder(BitBtn2, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, &TOKBottomDlg::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TOKBottomDlg::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg::BitBtn2Click);

    setChoices({CheckBox1, CheckBox2, CheckBox3});
    FormCreate();
}

void TOKBottomDlg::FormCreate() { CheckAll(true); }
void TOKBottomDlg::Button1Click() { CheckAll(true); }
void TOKBottomDlg::Button2Click() { CheckAll(false); }

void TOKBottomDlg::BitBtn1Click()
{
    goOn();
}

void TOKBottomDlg::BitBtn2Click()
{
    emit exitRequested();
}

void TOKBottomDlg::CheckAll(bool checked)
{
    setAllChoices(checked);
}

FamilyGates TOKBottomDlg::gates() const
{
    return choiceGates();
}
