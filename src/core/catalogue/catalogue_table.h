#pragma once

#include "core/catalogue/price_list_info.h"
#include "core/catalogue/product_record.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// The program's product table (data/catalogue/catalogue.csv, compiled in): UTF-8,
// fields by `;`, numbers with a decimal point. Above the header two rows name the
// built-in price list ("Прайс-лист;<name>") and its date ("Дата;<dd.MM.yyyy>", empty
// where none is known); then the header, then one row a product:
//   Позиция;Обозначение;Ду, мм;Pmin, бар;Pmax, бар;Qmax, м³/ч;Qmin, м³/ч;Цена без НДС
// with the slot 1..2000, each slot at most once, and the price to the kopeck.

struct CatalogueTableRow {
    int slot = 0;
    ProductRecord record;
};

struct CatalogueTable {
    PriceListInfo info;
    std::vector<CatalogueTableRow> rows; // in file order
    QString error;                       // why the table was refused, with its line
};

// The header's captions; a table of another header is refused.
QStringList CatalogueTableHeader();

CatalogueTable ReadCatalogueTable(QStringView text);
