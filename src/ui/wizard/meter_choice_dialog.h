#pragma once

#include "ui/wizard/choice_dialog.h"

class QCheckBox;
class QPushButton;

// Choice of the industrial meter types (mode 3).
class TOKBottomDlg3 : public ChoiceDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg3(AppState &state);

    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3; // ZAM rotary, ЗЕТ turbine, KEL turbine
    QPushButton *Button1, *Button2; // "Выбрать все", "Отменить все"
    QPushButton *BitBtn1, *BitBtn2; // "Далее", "Выход"

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();
    void BitBtn2Click();

    void CheckAll(bool checked);
    FamilyGates gates() const;
};
