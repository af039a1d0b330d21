#pragma once

#include "core/sizing/sizing.h"
#include "ui/wizard/wizard_window.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class UnitComboBox;

// The working-pressure dialog of modes 2 and 4: one working gauge pressure with its
// unit; "Далее" has the core size it and hands the outcome on.
class TOKBottomDlg4 : public WizardWindow {
    Q_OBJECT
public:
    explicit TOKBottomDlg4(AppState &state);

    QFrame *Bevel1;
    QLabel *Label12, *Label13, *Label54;
    QLineEdit *Edit5;                          // working gauge pressure as typed
    UnitComboBox *ComboBox3;                   // its unit
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3; // "Назад", "Далее", "Выход"

    void FormCreate();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    // Edit5 emptied.
    void ClearPressure();
    // ComboBox3 on item `index` (-1: no selection).
    void SelectUnit(int index);

signals:
    // Every "Далее", accepted or not: the results window follows every press.
    void sized(const SizingOutcome &outcome);
};
