#pragma once

#include "core/pricing/priced_list.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Ставки спецификации": the VAT rate, the euro rate and its date of the project's
// priced list. It shows the rates it is given and says what the user typed; the flow
// checks them and closes it only when they are taken.
class SpecificationSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SpecificationSettingsDialog(QWidget *parent = nullptr);

    QLineEdit *VatEdit;         // "Ставка НДС, %"
    QLineEdit *EurRateEdit;     // "Курс евро, руб."; empty: none
    QLineEdit *EurRateDateEdit; // "Дата курса (ДД.ММ.ГГГГ)"
    QPushButton *PricingSettingsOk, *PricingSettingsCancel;

    // The rates as the edits show them, with the desktop's decimal separator.
    void showPricing(const Pricing &pricing);

signals:
    void pricingRequested(const QString &vat, const QString &eurRate, const QString &date);
};
