#pragma once

#include "ui/wizard/choice_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

// Choice of the meter types a metering complex may be built on (modes 1 and 2).
class TOKBottomDlg : public ChoiceDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg(AppState &state);

    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3; // ZAM rotary, ЗЕТ turbine, KEL turbine
    QLabel *Label1, *Label2, *Label3;
    QPushButton *Button1, *Button2; // "Выбрать все", "Отменить все"
    QPushButton *BitBtn1, *BitBtn2; // "Далее", "Выход"

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();
    void BitBtn2Click();

    void CheckAll(bool checked);
    // The three boxes, as the selections read them.
    FamilyGates gates() const;
};
