#include "ui/pressure/working_pressure_dialog.h"

#include "core/state/app_state.h"
#include "ui/pressure/unit_combo_box.h"
#include "core/selection/selection_modes.h"
#include "ui/wizard/enter_key_rule.h"
#include "ui/wizard/messages.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>



TOKBottomDlg4::TOKBottomDlg4(AppState &state)
    : WizardWindow(state, QStringLiteral("TOKBottomDlg4"), QStringLiteral("Исходные данные"),
                   InputDialogGeometry::Size)
{
    Bevel1 = makeBevel();

    // The two heading lines are centred over the bevel.
    auto heading = [this](const QString &name, const QString &caption, int top) {
        QLabel *label = makeLabel(name, caption, 0, top);
        label->setFont(Look::CaptionFont(true));
        layOutLater([this, label, top] {
            label->move(Bevel1->x() + (Bevel1->width() - label->width()) / 2, top);
        });
        return label;
    };
    Label12 = heading(QStringLiteral("Label12"), QStringLiteral("Введите рабочее"), 13);
    Label13 = heading(QStringLiteral("Label13"), QStringLiteral("(избыточное) давление газа"), 32);

    Label54 = makeLabel(QStringLiteral("Label54"), QStringLiteral("Pср"), 40, 91);
    Label54->setFont(Look::CaptionFont(false));

    Edit5 = makeEdit(QStringLiteral("Edit5"), QRect(80, 88, 81, 21));
    ComboBox3 = makeUnitList(QStringLiteral("ComboBox3"), QRect(168, 88, 75, 21));

    makeButtonRow(BitBtn1, BitBtn2, BitBtn3);

    setTabOrder(Edit5, ComboBox3);
    setTabOrder(ComboBox3, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);

    InstallEnterRule(Edit5, BitBtn2);

    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg4::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg4::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TOKBottomDlg4::BitBtn3Click);

    FormCreate();
}

void TOKBottomDlg4::FormCreate()
{
    ClearPressure();
    // At start-up no mode is chosen yet, so the list stays without an item.
    if (const int unit = WorkingPressureUnitOfMode(state_.SelectionMode); unit >= 0)
        SelectUnit(unit);
}

void TOKBottomDlg4::ClearPressure()
{
    Edit5->clear();
}

void TOKBottomDlg4::SelectUnit(int index)
{
    ComboBox3->setCurrentIndex(index);
}

void TOKBottomDlg4::BitBtn1Click()
{
    emit backRequested();
}

void TOKBottomDlg4::BitBtn3Click()
{
    emit exitRequested();
}

void TOKBottomDlg4::BitBtn2Click()
{
    SizingRequest request = ChainRequest(state_);
    request.working = {Edit5->text(), ComboBox3->currentIndex()};
    const SizingOutcome outcome = Size(request, state_.Catalogue);
    ShowMessages(this, outcome.messages);
    emit sized(outcome);
}
