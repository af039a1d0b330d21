#pragma once

#include "core/sizing/sizing_conditions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Условия расчёта": the conversion method, the gas temperatures, the atmosphere,
// the gas data of the method, the load target and the strict choice. Not modal. It
// shows the conditions it is given; "OK" has the core check every figure and sends
// the accepted ones on, "Отмена" closes it and changes nothing.
class ConditionsDialog : public QDialog {
    Q_OBJECT
public:
    ConditionsDialog();

    QComboBox *MethodBox;
    QLineEdit *TminEdit, *TmaxEdit, *PatmEdit;
    QLineEdit *DensityEdit, *N2Edit, *CO2Edit;
    QTableWidget *CompositionTable;
    QLabel *CompositionSum;
    QLineEdit *MaxLoadEdit;
    QLineEdit *MaxVelocityEdit; // the inlet velocity limit, m/s; empty: no check
    QCheckBox *StrictCheck;
    QPushButton *ConditionsOk, *ConditionsCancel;

    // Fills the controls with `conditions`; they are also what the fields the
    // chosen method does not use keep.
    void setConditions(const SizingConditions &conditions);

    void ConditionsOkClick();
    void ConditionsCancelClick();

signals:
    void conditionsAccepted(const SizingConditions &conditions);

private:
    void methodChanged();
    void updateSum();
    // The conditions the controls hold; false with *bad set to the first field
    // whose text is not a number.
    bool read(SizingConditions &out, QWidget **bad) const;
    QWidget *fieldOfKey(const QString &key) const;

    SizingConditions held_;
};
