#pragma once

#include "core/cabinet/cabinet_input.h"
#include "core/cabinet/cabinet_selection.h"
#include "core/pressure/pressure_units.h"
#include "core/sizing/sizing.h"
#include "ui/wizard/wizard_window.h"

#include <QList>
#include <QRect>

#include <initializer_list>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UnitComboBox;

// Base of the three cabinet input forms. It holds the controls they share, the
// launch reset and "Далее": what was typed and chosen goes to the core, the
// ordered entries and the messages come back, and the outcome is handed on. Each
// form lays out its own pressure and option panels.
class CabinetForm : public WizardWindow {
    Q_OBJECT
public:
    // Variant group.
    QFrame *Panel1 = nullptr;
    QLabel *Label1 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr, *RadioButton3 = nullptr,
                 *RadioButton4 = nullptr;
    // Pressures and flows.
    QFrame *Panel2 = nullptr;
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label5 = nullptr;
    QLabel *Label14 = nullptr, *Label15 = nullptr; // "Pmax", "Pmin"
    QLineEdit *Edit3 = nullptr, *Edit4 = nullptr;
    UnitComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QLabel *Label160 = nullptr, *Label161 = nullptr; // "Qmax", "Qmin"
    QLineEdit *Edit11 = nullptr, *Edit12 = nullptr;
    // Side and gauge groups (their panels carry no name of their own).
    QLabel *Label6 = nullptr, *Label7 = nullptr;
    QRadioButton *RadioButton5 = nullptr, *RadioButton6 = nullptr; // "Слева", "Справа"
    QRadioButton *RadioButton7 = nullptr, *RadioButton8 = nullptr; // gauges, none
    // Caption of the bypass group on the metering point, of the outlet pressure on
    // the other two.
    QLabel *Label4 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr;

    void BitBtn1Click(); // "Назад"
    void BitBtn2Click(); // "Далее"
    void BitBtn3Click(); // "Выход"

    // The launch reset of mode 5: no option chosen, edits empty, default units.
    void LaunchReset();

    // The pressures and working flows of the last "Далее" (the form's own set).
    const PressureSet &pressures() const { return pressures_; }
    CabinetKind kind() const { return kind_; }

signals:
    // Every "Далее", accepted or not: the results window follows every press.
    void sized(const SizingOutcome &outcome);

protected:
    CabinetForm(AppState &state, const QString &className, CabinetKind kind);

    // Called by the derived constructor once every control exists: the Enter chain
    // of the numeric edits and the focus order.
    void chainEnter(std::initializer_list<QLineEdit *> edits);
    void setFocusOrder(std::initializer_list<QWidget *> widgets);
    // Called last by the derived constructor (it runs with the deferred layout, at
    // the first show): a panel too narrow for a caption in
    // the font at hand grows to fit it, and when that carries it past the design's
    // right edge the form grows with it, the panels that ended at that edge stretch
    // to the new one and the buttons keep their place at the bottom right.
    void fitToCaptions();

    // A white panel.
    // A caption in the 13-pixel font ("Pmax", "Qmin", ...).
    QLabel *makeValueCaption(const QString &name, const QString &caption, int left, int top,
                             QWidget *parent);
    // A bold caption in the dialog font.
    QLabel *makeBoldLabel(const QString &name, const QString &caption, int left, int top,
                          QWidget *parent);
    // One button of an option panel: the member it is stored in, its name, caption.
    struct OptionButton {
        QRadioButton **member;
        QString name;
        QString caption;
    };
    // A panel that is one radio group: its bold caption and its buttons one under
    // another. The group joins the option check and the launch reset, in the order
    // the groups are made.
    QFrame *makeOptionPanel(const QString &panelName, const QRect &geometry, QLabel *&caption,
                            const QString &captionName, const QString &captionText,
                            std::initializer_list<OptionButton> buttons);

    // What only some forms have: their own controls' reset, the outlet pressure
    // and the bypass choice (0: none chosen, 1, 2: the button).
    virtual void resetOwnControls() {}
    virtual PressureEntry outletPressure() const { return {}; }
    virtual int bypassChoice() const { return 0; }

private:
    QRadioButton *makeRadio(const QString &name, const QString &caption, int left, int top,
                            QWidget *parent);
    CabinetEntries typedEntries() const;
    CabinetOptions chosenOptions() const;
    void showEntries(const CabinetEntries &entries);

    CabinetKind kind_;
    PressureSet pressures_;
    QList<QList<QRadioButton *>> optionGroups_; // the variant group first
};
