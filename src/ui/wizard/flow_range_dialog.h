#pragma once

#include "core/input/flow_range_input.h"
#include "ui/wizard/wizard_window.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The flow range at standard conditions (modes 1 to 4): read, checked and put in
// order by the core; "Далее" hands the reading on, accepted or not.
class TOKBottomDlg1 : public WizardWindow {
    Q_OBJECT
public:
    explicit TOKBottomDlg1(AppState &state);

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

signals:
    // Every "Далее": the flows as read (the last values where a text did not
    // read); nextAccepted() follows when the range was accepted.
    void flowRangeRead(const FlowRangeReading &reading);
};
