#pragma once

#include "core/pricing/priced_list.h"

#include <QByteArray>

// The priced list as the batch program writes it with --spec.

// The table, `;`-separated, a line a figure: column `kind` says what the line is:
//   row               a product: number, name, dn, quantity, price, amount, vat, total
//                     (amount and VAT), currency, amount_rub and vat_rub (with a euro
//                     rate), points (their ids joined by ", "); a product
//                     without a list price has no price, amount, vat or total
//   total             a currency's amount, vat and total
//   total_rub         the grand total in roubles (with a euro rate) in `total`
//   price_on_request  how many rows have no list price, in `quantity`
//   not_sized         a point without a product, its id in `points`
//   vat_percent       the VAT rate in `total`;  eur_rate  roubles per euro in `total`,
//                     its date in `name`
// Numbers with the locale's decimal separator, money with two decimals.
QByteArray PricedListCsv(const PricedList &priced);

// {"rows": [{"number", "name", "dn", "quantity", "price", "amount", "vat", "currency",
//   "amount_rub", "vat_rub", "on_request", "points": [ids]}],
//  "totals": [{"currency", "amount", "vat", "total"}], "total_rub", "vat_percent",
//  "eur_rate", "eur_rate_date", "price_on_request", "not_sized": [ids]}
// Money as decimal strings with two decimals ("79400.00"); null where a figure is
// not there (no list price, no euro rate).
QByteArray PricedListJson(const PricedList &priced);
