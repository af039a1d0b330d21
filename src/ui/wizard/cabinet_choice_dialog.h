#pragma once

#include "core/cabinet/cabinet_selection.h"
#include "ui/wizard/choice_dialog.h"

class QRadioButton;
class QPushButton;

// Choice of the kind of cabinet point (mode 5): leads to one of the three forms.
class TOKBottomDlg6 : public ChoiceDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg6(AppState &state);

    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3; // ТИВ, ЛЕМА, ОРНИК
    QPushButton *BitBtn1, *BitBtn2; // "Далее", "Выход"

    void BitBtn1Click();
    void BitBtn2Click();

    // No kind selected.
    void ClearChoice();
    // The kind the checked button names; the third when none is checked.
    CabinetKind chosenKind() const;
};
