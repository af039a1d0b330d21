#include "ui/wizard/flow_range_dialog.h"

#include "core/state/app_state.h"
#include "ui/wizard/enter_key_rule.h"
#include "ui/wizard/messages.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


TOKBottomDlg1::TOKBottomDlg1(AppState &state)
    : WizardWindow(state, QStringLiteral("TOKBottomDlg1"), QStringLiteral("Исходные данные"),
                   InputDialogGeometry::Size)
{
    Bevel1 = makeBevel();

    Label159 = makeLabel(QStringLiteral("Label159"), QStringLiteral("Введите диапазон расхода газа"), 21, 21);
    Label159->setFont(Look::CaptionFont(true));
    Label168 = makeLabelInsideBevel(QStringLiteral("Label168"), QStringLiteral("(приведенного к нормальным условиям)"), 88, 40);

    auto flowRow = [this](int top, const QString &caption, const QString &captionName,
                          const QString &editName, const QStringList &unitNames, QLabel *&captionLabel,
                          QLineEdit *&edit, QLabel *&unitA, QLabel *&unitB, QLabel *&unitC) {
        captionLabel = makeLabel(captionName, caption, 73, top + 3);
        captionLabel->setFont(Look::CaptionFont(false));
        edit = makeEdit(editName, QRect(112, top, 81, 21));
        unitA = makeLabel(unitNames[0], QStringLiteral("н.м"), 201, top + 3);
        unitB = makeLabel(unitNames[1], QStringLiteral("3"), 220, top + 1);
        QFont small = Look::DialogFont();
        small.setPixelSize(8);
        unitB->setFont(small);
        unitC = makeLabel(unitNames[2], QStringLiteral("/ч"), 227, top + 3);
    };
    flowRow(73, QStringLiteral("Qmax"), QStringLiteral("Label160"), QStringLiteral("Edit11"),
            {QStringLiteral("Label163"), QStringLiteral("Label165"), QStringLiteral("Label167")}, Label160,
            Edit11, Label163, Label165, Label167);
    flowRow(121, QStringLiteral("Qmin"), QStringLiteral("Label161"), QStringLiteral("Edit12"),
            {QStringLiteral("Label162"), QStringLiteral("Label164"), QStringLiteral("Label166")}, Label161,
            Edit12, Label162, Label164, Label166);

    makeButtonRow(BitBtn1, BitBtn2, BitBtn3);

    setTabOrder(Edit11, Edit12);
    setTabOrder(Edit12, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);

    InstallEnterRule(Edit11, Edit12);
    InstallEnterRule(Edit12, BitBtn2);

    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg1::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TOKBottomDlg1::BitBtn3Click);
}

void TOKBottomDlg1::BitBtn1Click()
{
    emit backRequested();
}

void TOKBottomDlg1::BitBtn2Click()
{
    const FlowRangeReading reading =
        ReadFlowRange(Edit11->text(), Edit12->text(), state_.QmaxStd, state_.QminStd);
    if (reading.exchanged) {
        Edit11->setText(reading.qmaxText);
        Edit12->setText(reading.qminText);
    }
    if (!reading.valid)
        ShowError(this, Messages::BadInput());
    emit flowRangeRead(reading);
    if (reading.valid)
        emit nextAccepted();
}

void TOKBottomDlg1::BitBtn3Click()
{
    emit exitRequested();
}

void TOKBottomDlg1::ClearEdits()
{
    Edit11->clear();
    Edit12->clear();
}
