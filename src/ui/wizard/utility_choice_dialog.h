#pragma once

#include "ui/wizard/choice_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

// Choice of the utility meter series (mode 4).
class TOKBottomDlg5 : public ChoiceDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg5(AppState &state);

    QCheckBox *CheckBox1, *CheckBox2; // НМ without, and with, temperature compensation
    QLabel *Label1, *Label2;
    QPushButton *BitBtn2, *BitBtn3; // "Далее", "Выход"

    void FormCreate();
    void BitBtn2Click();
    void BitBtn3Click();

    void CheckAll(bool checked);
    // The two boxes as the first two gates; the third is closed.
    FamilyGates gates() const;
};
