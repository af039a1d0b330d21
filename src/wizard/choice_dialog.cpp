#include "wizard/choice_dialog.h"

#include "wizard/messages.h"

#include <QAbstractButton>
#include <QFrame>

ChoiceDialog::ChoiceDialog(AppState &state, WindowSet &windows, const QString &className,
                           const QString &caption)
    : WizardWindow(state, windows, className, caption, QSize(313, 206))
{
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 297, 161);
}

bool ChoiceDialog::choiceMade(const QList<QAbstractButton *> &choices)
{
    for (const QAbstractButton *choice : choices) {
        if (choice->isChecked())
            return true;
    }
    ShowWarning(this, Messages::NoChoice());
    return false;
}
