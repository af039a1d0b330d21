#pragma once

#include "ui/wizard/wizard_window.h"

#include "core/selection/range_selection.h"

#include <QList>

class QAbstractButton;
class QFrame;
class QPushButton;

// The frame the four choice dialogs share: 313 x 206, a bevel around the choices and
// the buttons in a row under it. "Далее" refuses to go on while no choice is made.
class ChoiceDialog : public WizardWindow {
    Q_OBJECT
public:
    ChoiceDialog(AppState &state, const QString &className, const QString &caption);

    QFrame *Bevel1;

protected:
    // The check boxes or radio buttons the user chooses among, in order.
    void setChoices(const QList<QAbstractButton *> &choices) { choices_ = choices; }
    // "Далее": with a choice made, asks to go on; without one, shows the
    // no-choice warning and stays.
    void goOn();
    // Checks or clears every choice.
    void setAllChoices(bool checked);
    // The first three choices as family gates (a missing one is closed).
    FamilyGates choiceGates() const;

private:
    bool choiceMade();
    QList<QAbstractButton *> choices_;
};
