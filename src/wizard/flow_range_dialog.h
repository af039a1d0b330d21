#pragma once

#include "wizard/wizard_window.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The flow range at standard conditions (modes 1 to 4): read, checked, put in
// order, published to the results window, then on to the mode's pressure input.
class TOKBottomDlg1 : public WizardWindow {
    Q_OBJECT
public:
    TOKBottomDlg1(AppState &state, WindowSet &windows);

    QFrame *Bevel1;
    QLabel *Label159, *Label168, *Label160, *Label161;
    QLabel *Label163, *Label165, *Label167, *Label162, *Label164, *Label166;
    QLineEdit *Edit11, *Edit12; // Qmax, Qmin
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3; // "Назад", "Далее", "Выход"

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    // Both edits emptied.
    void ClearEdits();
};
