#include "ui/wizard/choice_dialog.h"

#include "ui/wizard/messages.h"

#include <QAbstractButton>
#include <QFrame>

ChoiceDialog::ChoiceDialog(AppState &state, const QString &className, const QString &caption)
    : WizardWindow(state, className, caption, QSize(313, 206))
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

void ChoiceDialog::goOn()
{
    if (choiceMade())
        emit nextAccepted();
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
