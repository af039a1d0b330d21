#pragma once

#include "core/sizing/sizing.h"
#include "ui/wizard/wizard_window.h"

class QCloseEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UnitComboBox;

// The pressure-range dialog of modes 1 and 3: a gauge pressure range (Pmax, Pmin)
// or one working pressure, each number with its unit; "Далее" has the core size
// what was typed, shows back the ordered entries and the messages, and hands the
// outcome on.
class TOKBottomDlg2 : public WizardWindow {
    Q_OBJECT
public:
    explicit TOKBottomDlg2(AppState &state);

    QFrame *Bevel1;
    QLabel *Label12, *Label13;        // "Введите диапазон рабочего" / "(избыточного) давления газа"
    QRadioButton *RadioButton1;       // the range
    QLabel *Label14, *Label15;        // "Pmax", "Pmin"
    QLineEdit *Edit3, *Edit4;         // upper and lower pressure
    UnitComboBox *ComboBox1, *ComboBox2;
    QRadioButton *RadioButton2;       // one working pressure
    QLabel *Label54;                  // "Pср"
    QLineEdit *Edit5;                 // the working pressure
    UnitComboBox *ComboBox3;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3; // "Назад", "Далее", "Выход"

    void FormCreate();
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    // The close handler: asks for the first stage of the exit reset.
    void FormClose();

    // The reset of the launch, "Выход" and the close handler: unit lists without
    // selection, edits empty, edits and lists disabled, radio buttons unchecked,
    // the three labels back to the window-text colour.
    void ResetInputs();

signals:
    // Every "Далее", accepted or not: the results window follows every press.
    void sized(const SizingOutcome &outcome);

protected:
    void closeEvent(QCloseEvent *event) override;
};
