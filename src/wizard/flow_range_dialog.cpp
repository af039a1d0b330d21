#include "wizard/flow_range_dialog.h"

#include "app/app_state.h"
#include "app/launch.h"
#include "app/window_set.h"
#include "pressure/pressure_range_dialog.h"
#include "selection/results_window.h"
#include "selection/working_pressure_dialog.h"
#include "wizard/complex_choice_dialog.h"
#include "wizard/enter_key_rule.h"
#include "wizard/messages.h"
#include "wizard/meter_choice_dialog.h"
#include "wizard/navigation.h"
#include "wizard/number_text.h"
#include "wizard/utility_choice_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

TOKBottomDlg1::TOKBottomDlg1(AppState &state, WindowSet &windows)
    : WizardWindow(state, windows, QStringLiteral("TOKBottomDlg1"), QStringLiteral("Исходные данные"),
                   QSize(313, 207))
{
    Bevel1 = makeBevel();

    Label159 = makeLabel(QStringLiteral("Label159"), QStringLiteral("Введите диапазон расхода газа"), 21, 21);
    Label159->setFont(Look::CaptionFont(true));
    Label159->adjustSize();
    Label168 = makeLabelInsideBevel(QStringLiteral("Label168"), QStringLiteral("(приведенного к нормальным условиям)"), 88, 40);

    auto flowRow = [this](int top, const QString &caption, const QString &captionName,
                          const QString &editName, const QStringList &unitNames, QLabel *&captionLabel,
                          QLineEdit *&edit, QLabel *&unitA, QLabel *&unitB, QLabel *&unitC) {
        captionLabel = makeLabel(captionName, caption, 73, top + 3);
        captionLabel->setFont(Look::CaptionFont(false));
        captionLabel->adjustSize();
        edit = makeEdit(editName, QRect(112, top, 81, 21));
        unitA = makeLabel(unitNames[0], QStringLiteral("н.м"), 201, top + 3);
        unitB = makeLabel(unitNames[1], QStringLiteral("3"), 220, top + 1);
        QFont small = Look::DialogFont();
        small.setPixelSize(8);
        unitB->setFont(small);
        unitB->adjustSize();
        unitC = makeLabel(unitNames[2], QStringLiteral("/ч"), 227, top + 3);
    };
    flowRow(73, QStringLiteral("Qmax"), QStringLiteral("Label160"), QStringLiteral("Edit11"),
            {QStringLiteral("Label163"), QStringLiteral("Label165"), QStringLiteral("Label167")}, Label160,
            Edit11, Label163, Label165, Label167);
    flowRow(121, QStringLiteral("Qmin"), QStringLiteral("Label161"), QStringLiteral("Edit12"),
            {QStringLiteral("Label162"), QStringLiteral("Label164"), QStringLiteral("Label166")}, Label161,
            Edit12, Label162, Label164, Label166);

    BitBtn1 = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Назад"), QRect(72, 176, 75, 25));
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Далее"), QRect(152, 176, 75, 25));
    BitBtn3 = makeButton(QStringLiteral("BitBtn3"), QStringLiteral("Выход"), QRect(232, 176, 75, 25));

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
    QWidget *choice = nullptr;
    switch (state_.SelectionMode) {
    case 1:
    case 2:
        choice = windows_.Dlg.get();
        break;
    case 3:
        choice = windows_.Dlg3.get();
        break;
    case 4:
        choice = windows_.Dlg5.get();
        break;
    default:
        break;
    }
    Hide(this);
    if (choice)
        ShowCentred(choice, windows_.mainWindow());
}

void TOKBottomDlg1::BitBtn2Click()
{
    // Read Qmax, then Qmin; a text that does not read leaves its value as it was,
    // and Qmin is not read after a failed Qmax.
    bool valid = false;
    if (const auto qmax = ReadNumber(Edit11->text())) {
        state_.QmaxStd = *qmax;
        if (const auto qmin = ReadNumber(Edit12->text())) {
            state_.QminStd = *qmin;
            valid = state_.QmaxStd > 0 && state_.QminStd > 0;
        }
    }

    // The range is put in order whatever the reading gave.
    if (!(state_.QmaxStd >= state_.QminStd)) {
        std::swap(state_.QmaxStd, state_.QminStd);
        Edit11->setText(WriteNumber(state_.QmaxStd));
        Edit12->setText(WriteNumber(state_.QminStd));
    }

    if (!valid) {
        ShowError(this, Messages::BadInput());
        return;
    }

    windows_.Form2->WriteFlowRange(state_.QmaxStd, state_.QminStd);

    Hide(this);
    switch (state_.SelectionMode) {
    case 1:
    case 3:
        ShowCentred(windows_.Dlg2.get(), windows_.mainWindow());
        break;
    case 2:
    case 4:
        ShowCentred(windows_.Dlg4.get(), windows_.mainWindow());
        break;
    default:
        break;
    }
}

void TOKBottomDlg1::BitBtn3Click()
{
    ResetChainInputs(windows_, this);
}

void TOKBottomDlg1::ClearEdits()
{
    Edit11->clear();
    Edit12->clear();
}
