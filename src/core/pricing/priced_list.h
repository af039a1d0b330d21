#pragma once

#include "core/pricing/money.h"
#include "core/sizing/sizing.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The priced list of a project: one row per distinct chosen product with its
// quantity, price, amount and VAT, the totals per currency and, with a euro rate, one
// grand total in roubles. Every figure is whole kopecks or cents: a row's VAT is
// rounded to the minor unit half away from zero and every total is the sum of its rows,
// so the page adds up.

// The rates a priced list is priced at, kept with the project.
struct Pricing {
    static constexpr int DefaultVatHundredths = 2200; // 22 %, the general rate from 1 January 2026
    int vatHundredths = DefaultVatHundredths; // hundredths of a per cent: 22 % is 2200
    std::optional<std::int64_t> eurRate;      // roubles per euro in ten-thousandths: 100,5 is 1005000
    QDate eurRateDate;                        // the day the rate is taken from

    bool operator==(const Pricing &) const = default;
};

// One point's chosen product.
struct PricedListItem {
    QString pointId;
    QString name; // the catalogue designation
    int dn = 0;
    int quantity = 1;
    Money price; // unit price without VAT; 0: no list price ("цена по запросу")
    Currency currency = Currency::Roubles;
};

struct PricedListRow {
    int number = 0; // from 1
    QString name;
    int dn = 0;
    std::int64_t quantity = 0; // summed over the points that chose it
    Money price;
    Money amount; // quantity x price; 0 on request
    Money vat;
    Currency currency = Currency::Roubles;
    QStringList points; // the ids of the points that chose it, in project order
    bool onRequest = false;
    // A euro row with a euro rate: its amount in roubles and the VAT on that amount.
    std::optional<Money> amountRub, vatRub;
};

struct CurrencyTotal {
    Currency currency = Currency::Roubles;
    Money amount, vat, total;
};

struct PricedList {
    std::vector<PricedListRow> rows;
    std::vector<CurrencyTotal> totals; // roubles first, then euros, each only when it has rows
    std::optional<Money> totalRub;     // amounts and VAT of every row in roubles; needs a euro rate
    int priceOnRequest = 0;            // rows left out of the totals
    QStringList notSized;              // points with no chosen product
    Pricing pricing;
};

// VAT on an amount at the rate, rounded to the minor unit half away from zero.
Money VatOf(Money amount, int vatHundredths);
// A euro amount in roubles at a rate in ten-thousandths, rounded to the kopeck.
Money RoublesOf(Money euros, std::int64_t eurRate);

// Rows in the order their products first appear among the items.
PricedList BuildPricedList(const std::vector<PricedListItem> &items,
                                 const QStringList &notSized, const Pricing &pricing);

// The rates as typed, each refused with a message that names the figure: VAT from 0 to
// 100 % with at most two decimals, a euro rate above 0 with at most four, a real date
// (ДД.ММ.ГГГГ or ГГГГ-ММ-ДД; empty: none).
struct PricingReading {
    std::optional<Pricing> pricing;
    QString error;
};
PricingReading ReadPricing(const QString &vatText, const QString &eurRateText, const QString &dateText);

// The rates as written in a project file and shown back in a dialog.
QString VatText(int vatHundredths, QChar separator = u'.');
QString EurRateText(std::int64_t eurRate, QChar separator = u'.');
