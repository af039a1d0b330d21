#include "wizard/cabinet_choice_dialog.h"

#include "app/window_set.h"
#include "cabinet/metering_point_form.h"
#include "cabinet/metering_reducing_point_form.h"
#include "cabinet/reducing_point_form.h"
#include "wizard/navigation.h"

#include <QPushButton>
#include <QRadioButton>

TOKBottomDlg6::TOKBottomDlg6(AppState &state, WindowSet &windows)
    : ChoiceDialog(state, windows, QStringLiteral("TOKBottomDlg6"),
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
    RadioButton1 = radio(QStringLiteral("RadioButton1"), QStringLiteral("Пункт учета газа ТИВ"), 32, 169);
    RadioButton2 = radio(QStringLiteral("RadioButton2"), QStringLiteral("Пункт редуцирования газа ЛЕМА"), 72, 233);
    RadioButton3 = radio(QStringLiteral("RadioButton3"), QStringLiteral("Пункт учета и редуцирования газа ОРНИК"), 112, 273);

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
    QWidget *next = RadioButton1->isChecked()   ? static_cast<QWidget *>(windows_.Form3.get())
                    : RadioButton2->isChecked() ? static_cast<QWidget *>(windows_.Form4.get())
                                                : static_cast<QWidget *>(windows_.Form5.get());
    goOnTo(next);
}

void TOKBottomDlg6::BitBtn2Click()
{
    Close(this);
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
