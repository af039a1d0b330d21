#include "ui/cabinet/cabinet_form.h"

#include "core/state/app_state.h"
#include "core/cabinet/cabinet_captions.h"
#include "ui/pressure/unit_combo_box.h"
#include "ui/wizard/enter_key_rule.h"
#include "ui/wizard/messages.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr QSize FormSize(633, 415);
constexpr int UnitBar = static_cast<int>(PressureUnit::Bar);
// Unchecks every button of a radio group. An auto-exclusive button refuses to be
// unchecked while it is the group's checked one, so exclusivity is lifted meanwhile.
void ClearGroup(const QList<QRadioButton *> &group)
{
    for (QRadioButton *button : group) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

// 1 for the group's first button checked, 2 for the second, ...; 0 for none.
int CheckedNumber(const QList<QRadioButton *> &group)
{
    for (int i = 0; i < group.size(); ++i) {
        if (group[i]->isChecked())
            return i + 1;
    }
    return 0;
}

} // namespace

CabinetForm::CabinetForm(AppState &state, const QString &className, CabinetKind kind)
    : WizardWindow(state, className, QStringLiteral("Исходные данные"), FormSize),
      kind_(kind)
{
    Panel1 = Look::WhitePanel(this, QStringLiteral("Panel1"), QRect(8, 8, 617, 85));
    Label1 = makeBoldLabel(QStringLiteral("Label1"), QStringLiteral("Вариант исполнения:"), 8, 5,
                           Panel1);
    QRadioButton **variants[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4};
    QList<QRadioButton *> variantGroup;
    for (int i = 0; i < 4; ++i) {
        *variants[i] = makeRadio(QStringLiteral("RadioButton%1").arg(i + 1),
                                 CabinetVariantCaption(kind, i + 1), 16, 20 + 15 * i, Panel1);
        QRadioButton *variant = *variants[i];
        layOutLater([variant] { variant->resize(593, 17); });
        variantGroup.append(*variants[i]);
    }
    optionGroups_.append(variantGroup);

    makeButtonRow(BitBtn1, BitBtn2, BitBtn3, QRect(392, 376, 75, 25), QRect(472, 376, 75, 25),
                  QRect(552, 376, 75, 25));
    connect(BitBtn1, &QPushButton::clicked, this, &CabinetForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &CabinetForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &CabinetForm::BitBtn3Click);
}

QLabel *CabinetForm::makeValueCaption(const QString &name, const QString &caption, int left,
                                      int top, QWidget *parent)
{
    QLabel *label = makeLabel(name, caption, left, top, parent);
    label->setFont(Look::CaptionFont(false));
    return label;
}

QLabel *CabinetForm::makeBoldLabel(const QString &name, const QString &caption, int left,
                                   int top, QWidget *parent)
{
    QLabel *label = makeLabel(name, caption, left, top, parent);
    QFont bold = Look::DialogFont();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QRadioButton *CabinetForm::makeRadio(const QString &name, const QString &caption, int left,
                                     int top, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->move(left, top);
    layOutLater([button] { button->adjustSize(); });
    return button;
}

QFrame *CabinetForm::makeOptionPanel(
    const QString &panelName, const QRect &geometry, QLabel *&caption,
    const QString &captionName, const QString &captionText,
    std::initializer_list<OptionButton> buttons)
{
    QFrame *panel = Look::WhitePanel(this, panelName, geometry);
    caption = makeBoldLabel(captionName, captionText, 8, 5, panel);
    QList<QRadioButton *> group;
    int top = 21;
    for (const OptionButton &button : buttons) {
        *button.member = makeRadio(button.name, button.caption, 16, top, panel);
        group.append(*button.member);
        top += 15;
    }
    optionGroups_.append(group);
    return panel;
}

void CabinetForm::fitToCaptions()
{
    const QList<QFrame *> panels = findChildren<QFrame *>(QString(), Qt::FindDirectChildrenOnly);
    const int designRight = Panel1->geometry().right();
    QList<QFrame *> alongRightEdge;
    int right = designRight;
    for (QFrame *panel : panels) {
        if (panel->geometry().right() == designRight)
            alongRightEdge.append(panel);
        int needed = panel->width();
        for (QWidget *child : panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QLabel *>(child) && !qobject_cast<QRadioButton *>(child))
                continue;
            const int width = std::max(child->width(), child->sizeHint().width());
            child->resize(width, child->height());
            needed = std::max(needed, child->x() + width + 8);
        }
        panel->resize(needed, panel->height());
        right = std::max(right, panel->geometry().right());
    }
    const int extra = right - designRight;
    if (extra <= 0)
        return;
    for (QFrame *panel : alongRightEdge)
        panel->resize(right - panel->x() + 1, panel->height());
    for (QPushButton *button : {BitBtn1, BitBtn2, BitBtn3})
        button->move(button->x() + extra, button->y());
    setFixedSize(width() + extra, height());
}

void CabinetForm::chainEnter(std::initializer_list<QLineEdit *> edits)
{
    auto it = edits.begin();
    for (; it + 1 != edits.end(); ++it)
        InstallEnterRule(*it, *(it + 1));
    InstallEnterRule(*it, BitBtn2);
}

void CabinetForm::setFocusOrder(std::initializer_list<QWidget *> widgets)
{
    for (auto it = widgets.begin(); it + 1 != widgets.end(); ++it)
        setTabOrder(*it, *(it + 1));
}

void CabinetForm::LaunchReset()
{
    for (const QList<QRadioButton *> &group : optionGroups_)
        ClearGroup(group);
    for (QLineEdit *edit : {Edit3, Edit4, Edit11, Edit12})
        edit->clear();
    ComboBox1->setCurrentIndex(UnitBar);
    ComboBox2->setCurrentIndex(UnitBar);
    resetOwnControls();
}

void CabinetForm::BitBtn1Click()
{
    emit backRequested();
}

void CabinetForm::BitBtn3Click()
{
    emit exitRequested();
}

CabinetEntries CabinetForm::typedEntries() const
{
    CabinetEntries entries;
    entries.qmax = Edit11->text();
    entries.qmin = Edit12->text();
    entries.pmax = Edit3->text();
    entries.pmin = Edit4->text();
    entries.pmaxUnit = ComboBox1->currentIndex();
    entries.pminUnit = ComboBox2->currentIndex();
    return entries;
}

CabinetOptions CabinetForm::chosenOptions() const
{
    CabinetOptions options;
    options.variant = CheckedNumber(optionGroups_.first());
    options.side = CheckedNumber({RadioButton5, RadioButton6});
    options.bypass = bypassChoice();
    options.gauges = CheckedNumber({RadioButton7, RadioButton8});
    return options;
}

void CabinetForm::showEntries(const CabinetEntries &entries)
{
    SetTextIfChanged(Edit11, entries.qmax);
    SetTextIfChanged(Edit12, entries.qmin);
    SetTextIfChanged(Edit3, entries.pmax);
    SetTextIfChanged(Edit4, entries.pmin);
    ComboBox1->setCurrentIndex(entries.pmaxUnit);
    ComboBox2->setCurrentIndex(entries.pminUnit);
}

void CabinetForm::BitBtn2Click()
{
    SizingRequest request;
    request.mode = 5;
    request.qmaxStd = state_.QmaxStd;
    request.qminStd = state_.QminStd;
    request.cabinet = kind_;
    request.entries = typedEntries();
    request.options = chosenOptions();
    request.outlet = outletPressure();
    request.previous = pressures_;
    request.conditions = state_.Conditions;
    const SizingOutcome outcome = Size(request, state_.Catalogue);

    pressures_ = outcome.pressures;
    showEntries(outcome.request.entries);
    ShowMessages(this, outcome.messages);
    emit sized(outcome);
}
