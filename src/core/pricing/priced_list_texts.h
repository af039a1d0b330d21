#pragma once

#include "core/pricing/priced_list.h"

#include <QString>
#include <QStringList>

// The texts of a priced list as the project window, the report and the workbook show
// it: the captions, each row's cells and the lines of the totals below the table.

enum class PricedListColumn {
    Number, Name, Dn, Quantity, Price, Amount, Vat, Currency,
    AmountRub, VatRub, // a euro row in roubles; shown only with a euro rate and euro rows
    Points, Count
};
QStringList PricedListCaptions();

// "RUB" or "EUR", as the grids' price column and the batch outputs name them.
QString CurrencyCode(Currency currency);
// An amount with its thousands grouped by a no-break space: "79 400,00".
QString GroupedMoney(Money amount, QChar separator);
// Whether the euro rows are also shown in roubles.
bool ShowsRoubles(const PricedList &priced);

// A row's cells: a product without a list price reads "цена по запросу" and has no
// amounts; the points are joined by ", ".
QStringList PricedListCells(const PricedListRow &row, QChar separator);

// The lines under the table: per currency the total without VAT, the VAT and the total
// with it; the grand total in roubles with the euro rate; the rows priced on request;
// the points without a product.
QStringList PricedListTotalLines(const PricedList &priced, QChar separator);
