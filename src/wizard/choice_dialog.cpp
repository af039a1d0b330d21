#include "wizard/choice_dialog.h"

#include "app/window_set.h"
#include "wizard/messages.h"
#include "wizard/navigation.h"

#include <QAbstractButton>
#include <QFrame>

ChoiceDialog::ChoiceDialog(AppState &state, WindowSet &windows, const QString &className,
                           const QString &caption)
    : WizardWindow(state, windows, className, caption, QSize(313, 206))
{
    Bevel1 = makeBevel();
}

bool ChoiceDialog::choiceMade()
{
    for (const QAbstractButton *choice : choices_) {
        if (choice->isChecked())
            return true;
    }
    ShowWarning(this, Messages::NoChoice());
    return false;
}

void ChoiceDialog::goOnTo(QWidget *next)
{
    if (!choiceMade())
        return;
    Hide(this);
    ShowCentred(next, windows_.mainWindow());
}

void ChoiceDialog::setAllChoices(bool checked)
{
    for (QAbstractButton *choice : choices_)
        choice->setChecked(checked);
}

FamilyGates ChoiceDialog::choiceGates() const
{
    FamilyGates gates{false, false, false};
    for (int i = 0; i < int(gates.size()) && i < choices_.size(); ++i)
        gates[i] = choices_[i]->isChecked();
    return gates;
}
