#include "ui/conditions/conditions_dialog.h"

#include "core/input/message_texts.h"
#include "core/input/number_text.h"
#include "ui/wizard/messages.h"
#include "ui/wizard/wizard_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr ConversionMethod kMethods[] = {ConversionMethod::Simple, ConversionMethod::Ideal,
                                         ConversionMethod::Gerg91, ConversionMethod::Aga8};

QLineEdit *MakeEdit(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// A composition cell: empty is none of that component.
QString CellText(double percent)
{
    return percent == 0 ? QString() : WriteNumber(percent);
}

std::optional<double> ReadCell(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    return ReadNumber(text);
}
} // namespace

ConditionsDialog::ConditionsDialog() : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ConditionsDialog"));
    setWindowTitle(QStringLiteral("Условия расчёта"));
    setFont(Look::DialogFont());
    setModal(false);
    Look::Paint(this, Look::Yellow());

    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setObjectName(QStringLiteral("ConditionsForm"));
    outer->addLayout(form);

    MethodBox = new QComboBox(this);
    MethodBox->setObjectName(QStringLiteral("MethodBox"));
    MethodBox->setEditable(false);
    for (ConversionMethod method : kMethods)
        MethodBox->addItem(MethodName(method));
    form->addRow(QStringLiteral("Пересчёт к рабочим условиям:"), MethodBox);

    TminEdit = MakeEdit(this, QStringLiteral("TminEdit"));
    TmaxEdit = MakeEdit(this, QStringLiteral("TmaxEdit"));
    PatmEdit = MakeEdit(this, QStringLiteral("PatmEdit"));
    form->addRow(QStringLiteral("Наименьшая температура газа, °C:"), TminEdit);
    form->addRow(QStringLiteral("Наибольшая температура газа, °C:"), TmaxEdit);
    form->addRow(QStringLiteral("Атмосферное давление, кПа:"), PatmEdit);

    auto *gerg = new QGroupBox(QStringLiteral("GERG-91 мод."), this);
    gerg->setObjectName(QStringLiteral("GergGroup"));
    auto *gergForm = new QFormLayout(gerg);
    DensityEdit = MakeEdit(gerg, QStringLiteral("DensityEdit"));
    N2Edit = MakeEdit(gerg, QStringLiteral("N2Edit"));
    CO2Edit = MakeEdit(gerg, QStringLiteral("CO2Edit"));
    gergForm->addRow(QStringLiteral("Плотность при 20 °C и 101,325 кПа, кг/м³:"), DensityEdit);
    gergForm->addRow(QStringLiteral("Азот N₂, мол. %:"), N2Edit);
    gergForm->addRow(QStringLiteral("Диоксид углерода CO₂, мол. %:"), CO2Edit);
    outer->addWidget(gerg);

    auto *aga = new QGroupBox(QStringLiteral("AGA8-92DC: состав газа"), this);
    aga->setObjectName(QStringLiteral("Aga8Group"));
    auto *agaLayout = new QVBoxLayout(aga);
    CompositionTable = new QTableWidget(gas::ComponentCount, 2, aga);
    CompositionTable->setObjectName(QStringLiteral("CompositionTable"));
    CompositionTable->setHorizontalHeaderLabels({QStringLiteral("Компонент"), QStringLiteral("мол. %")});
    CompositionTable->verticalHeader()->hide();
    CompositionTable->verticalHeader()->setDefaultSectionSize(18);
    for (int row = 0; row < gas::ComponentCount; ++row) {
        auto *name = new QTableWidgetItem(gas::ComponentName(gas::ComponentAt(row)));
        name->setFlags(Qt::ItemIsEnabled);
        CompositionTable->setItem(row, 0, name);
        CompositionTable->setItem(row, 1, new QTableWidgetItem);
    }
    CompositionTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    CompositionTable->setColumnWidth(1, 80);
    CompositionTable->setMinimumHeight(160);
    agaLayout->addWidget(CompositionTable);
    CompositionSum = new QLabel(aga);
    CompositionSum->setObjectName(QStringLiteral("CompositionSum"));
    agaLayout->addWidget(CompositionSum);
    outer->addWidget(aga);

    auto *checks = new QFormLayout;
    MaxLoadEdit = MakeEdit(this, QStringLiteral("MaxLoadEdit"));
    checks->addRow(QStringLiteral("Целевая наибольшая загрузка, %:"), MaxLoadEdit);
    MaxVelocityEdit = MakeEdit(this, QStringLiteral("MaxVelocityEdit"));
    MaxVelocityEdit->setPlaceholderText(QStringLiteral("нет"));
    MaxVelocityEdit->setToolTip(QStringLiteral("Предел из руководства изготовителя счетчика; пусто — без проверки"));
    checks->addRow(QStringLiteral("Наибольшая скорость газа на входе, м/с:"), MaxVelocityEdit);
    outer->addLayout(checks);
    StrictCheck = new QCheckBox(QStringLiteral("оптимальный вариант — с учётом проверок"), this);
    StrictCheck->setObjectName(QStringLiteral("StrictCheck"));
    outer->addWidget(StrictCheck);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    ConditionsOk = new QPushButton(QStringLiteral("OK"), this);
    ConditionsOk->setObjectName(QStringLiteral("ConditionsOk"));
    ConditionsOk->setDefault(true);
    ConditionsCancel = new QPushButton(QStringLiteral("Отмена"), this);
    ConditionsCancel->setObjectName(QStringLiteral("ConditionsCancel"));
    buttons->addWidget(ConditionsOk);
    buttons->addWidget(ConditionsCancel);
    outer->addLayout(buttons);

    connect(MethodBox, &QComboBox::currentIndexChanged, this, &ConditionsDialog::methodChanged);
    connect(CompositionTable, &QTableWidget::itemChanged, this, &ConditionsDialog::updateSum);
    connect(ConditionsOk, &QPushButton::clicked, this, &ConditionsDialog::ConditionsOkClick);
    connect(ConditionsCancel, &QPushButton::clicked, this, &ConditionsDialog::ConditionsCancelClick);

    setConditions(held_);
}

void ConditionsDialog::setConditions(const SizingConditions &c)
{
    held_ = c;
    MethodBox->setCurrentIndex(static_cast<int>(c.method));
    TminEdit->setText(WriteNumber(c.tMin));
    TmaxEdit->setText(WriteNumber(c.tMax));
    PatmEdit->setText(WriteNumber(c.pAtm));
    DensityEdit->setText(WriteNumber(c.density));
    N2Edit->setText(WriteNumber(c.n2));
    CO2Edit->setText(WriteNumber(c.co2));
    for (int row = 0; row < gas::ComponentCount; ++row)
        CompositionTable->item(row, 1)->setText(CellText(c.composition[row]));
    MaxLoadEdit->setText(WriteNumber(c.maxLoad));
    MaxVelocityEdit->setText(c.maxInletVelocity ? WriteNumber(*c.maxInletVelocity) : QString());
    StrictCheck->setChecked(c.strict);
    methodChanged();
    updateSum();
}

void ConditionsDialog::methodChanged()
{
    const auto method = static_cast<ConversionMethod>(std::max(0, MethodBox->currentIndex()));
    const bool real = method != ConversionMethod::Simple;
    for (QWidget *field : {static_cast<QWidget *>(TminEdit), static_cast<QWidget *>(TmaxEdit),
                           static_cast<QWidget *>(PatmEdit)})
        field->setEnabled(real);
    for (QLineEdit *field : {DensityEdit, N2Edit, CO2Edit})
        field->setEnabled(method == ConversionMethod::Gerg91);
    CompositionTable->setEnabled(method == ConversionMethod::Aga8);
    CompositionSum->setEnabled(method == ConversionMethod::Aga8);
}

void ConditionsDialog::updateSum()
{
    double sum = 0;
    for (int row = 0; row < gas::ComponentCount; ++row) {
        const QTableWidgetItem *item = CompositionTable->item(row, 1);
        const auto value = ReadCell(item ? item->text() : QString());
        if (!value) {
            CompositionSum->setText(QStringLiteral("Сумма: — (не число в строке «%1»)")
                                        .arg(gas::ComponentName(gas::ComponentAt(row))));
            return;
        }
        sum += *value;
    }
    CompositionSum->setText(QStringLiteral("Сумма: %1 %").arg(WriteFixed(sum, 4)));
}

bool ConditionsDialog::read(SizingConditions &out, QWidget **bad) const
{
    out = held_;
    out.method = static_cast<ConversionMethod>(std::max(0, MethodBox->currentIndex()));
    auto take = [bad](QLineEdit *edit, double &value) {
        if (!edit->isEnabled())
            return true;
        const auto number = ReadNumber(edit->text());
        if (!number) {
            *bad = edit;
            return false;
        }
        value = *number;
        return true;
    };
    if (!take(TminEdit, out.tMin) || !take(TmaxEdit, out.tMax) || !take(PatmEdit, out.pAtm)
        || !take(DensityEdit, out.density) || !take(N2Edit, out.n2) || !take(CO2Edit, out.co2)
        || !take(MaxLoadEdit, out.maxLoad))
        return false;
    out.maxInletVelocity.reset();
    if (!MaxVelocityEdit->text().trimmed().isEmpty()) {
        double limit = 0;
        if (!take(MaxVelocityEdit, limit))
            return false;
        out.maxInletVelocity = limit;
    }
    if (CompositionTable->isEnabled()) {
        for (int row = 0; row < gas::ComponentCount; ++row) {
            const auto value = ReadCell(CompositionTable->item(row, 1)->text());
            if (!value) {
                *bad = CompositionTable;
                CompositionTable->setCurrentCell(row, 1);
                return false;
            }
            out.composition[row] = *value;
        }
    }
    out.strict = StrictCheck->isChecked();
    return true;
}

QWidget *ConditionsDialog::fieldOfKey(const QString &key) const
{
    if (key == u"t_min")
        return TminEdit;
    if (key == u"t_max")
        return TmaxEdit;
    if (key == u"p_atm")
        return PatmEdit;
    if (key == u"max_load")
        return MaxLoadEdit;
    if (key == u"max_velocity")
        return MaxVelocityEdit;
    if (key == u"density")
        return DensityEdit;
    if (key == u"n2")
        return N2Edit;
    if (key == u"co2")
        return CO2Edit;
    if (key.startsWith(u"x_") || key == u"composition")
        return CompositionTable;
    return nullptr;
}

void ConditionsDialog::ConditionsOkClick()
{
    SizingConditions conditions;
    QWidget *bad = nullptr;
    if (!read(conditions, &bad)) {
        ShowError(this, Messages::BadInput());
        if (bad)
            bad->setFocus();
        return;
    }
    if (const auto refused = CheckConditions(conditions)) {
        ShowError(this, refused->message);
        if (QWidget *field = fieldOfKey(refused->key))
            field->setFocus();
        return;
    }
    held_ = conditions;
    close();
    emit conditionsAccepted(conditions);
}

void ConditionsDialog::ConditionsCancelClick()
{
    close();
}
