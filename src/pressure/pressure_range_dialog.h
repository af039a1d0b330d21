#pragma once

#include "wizard/wizard_window.h"

class QCloseEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UnitComboBox;

// The pressure-range dialog of modes 1 and 3: a gauge pressure range (Pmax, Pmin)
// or one working pressure, each number with its unit; "Далее" converts, shows the
// results window and runs the range selection.
class TOKBottomDlg2 : public WizardWindow {
    Q_OBJECT
public:
    TOKBottomDlg2(AppState &state, WindowSet &windows);

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
    // The close handler: the first stage of the exit reset.
    void FormClose();

    // The reset of the launch, "Выход" and the close handler: unit lists without
    // selection, edits empty, edits and lists disabled, radio buttons unchecked,
    // the three labels back to the window-text colour.
    void ResetInputs();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The input step: reads, orders and converts the pressures, computes the
    // working flows and writes the results window's panels. False on any input
    // error; values stored before the error stay.
    bool enterPressures();
    bool readRange();
    bool readWorkingPressure();
    // Resets both grids and fills them with the range selection of the current mode.
    void runRangeSelection();
};
