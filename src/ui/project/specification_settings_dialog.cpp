#include "ui/project/specification_settings_dialog.h"

#include "core/input/number_text.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SpecificationSettingsDialog::SpecificationSettingsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SpecificationSettingsDialog"));
    setWindowTitle(QStringLiteral("Ставки спецификации"));
    setModal(false);
    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    VatEdit = edit("VatEdit");
    EurRateEdit = edit("EurRateEdit");
    EurRateDateEdit = edit("EurRateDateEdit");
    EurRateDateEdit->setPlaceholderText(QStringLiteral("ДД.ММ.ГГГГ"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Ставка НДС, %:"), VatEdit);
    form->addRow(QStringLiteral("Курс евро, руб. за 1 евро:"), EurRateEdit);
    form->addRow(QStringLiteral("Дата курса:"), EurRateDateEdit);
    auto *note = new QLabel(QStringLiteral("Без курса евро суммы в евро и в рублях итожатся отдельно."), this);
    note->setWordWrap(true);

    PricingSettingsOk = new QPushButton(QStringLiteral("OK"), this);
    PricingSettingsOk->setObjectName(QStringLiteral("PricingSettingsOk"));
    PricingSettingsOk->setDefault(true);
    PricingSettingsCancel = new QPushButton(QStringLiteral("Отмена"), this);
    PricingSettingsCancel->setObjectName(QStringLiteral("PricingSettingsCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PricingSettingsOk);
    buttons->addWidget(PricingSettingsCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(PricingSettingsOk, &QPushButton::clicked, this, [this] {
        emit pricingRequested(VatEdit->text(), EurRateEdit->text(), EurRateDateEdit->text());
    });
    connect(PricingSettingsCancel, &QPushButton::clicked, this, &QDialog::close);
}

void SpecificationSettingsDialog::showPricing(const Pricing &pricing)
{
    const QChar separator = LocaleDecimalSeparator();
    VatEdit->setText(VatText(pricing.vatHundredths, separator));
    EurRateEdit->setText(pricing.eurRate ? EurRateText(*pricing.eurRate, separator) : QString());
    EurRateDateEdit->setText(pricing.eurRateDate.isValid() ? pricing.eurRateDate.toString(QStringLiteral("dd.MM.yyyy"))
                                                           : QString());
}
