#pragma once

#include "wizard/wizard_window.h"

#include <QList>

class QAbstractButton;
class QFrame;
class QPushButton;

// The frame the four choice dialogs share: 313 x 206, a bevel around the choices and
// the buttons in a row under it. "Далее" refuses to go on while no choice is made.
class ChoiceDialog : public WizardWindow {
    Q_OBJECT
public:
    ChoiceDialog(AppState &state, WindowSet &windows, const QString &className,
                 const QString &caption);

    QFrame *Bevel1;

protected:
    // True when one of `choices` is checked; otherwise shows the no-choice warning.
    bool choiceMade(const QList<QAbstractButton *> &choices);
};
