#pragma once

#include "core/catalogue/price_list_file.h"
#include "core/pricing/money.h"

#include <QString>

#include <vector>

class ProductCatalogue;

// What a price list would do to the catalogue in force, before anything changes: the
// prices it changes (old and new), the designations it has that the catalogue lacks,
// the products it leaves out (they keep their price) and the rows it refuses. A row
// prices every product of its designation, narrowed by its Ду and Qmin where the file
// has those columns; a row the catalogue has no product for is listed, not refused.

struct PriceChange {
    int slot = 0;
    int line = 0; // the row of the file that sets it
    Money before;
    Money after;
};

struct PriceListUnknown {
    int line = 0;
    QString designation;
    QString priceText;
    QString note; // what of the row matched nothing: "нет изделия с Ду 65"
};

struct PriceListRefusal {
    int line = 0;
    QString designation;
    QString reason;
};

struct PriceListCheck {
    PriceListInfo info;
    std::vector<PriceChange> changes;        // by line, then slot
    int unchanged = 0;                       // products the list prices as they are
    std::vector<PriceListUnknown> unknown;   // by line
    std::vector<int> leftOut;                // slots the list does not price
    std::vector<PriceListRefusal> refused;   // by line
    std::vector<std::pair<int, Money>> prices; // every slot the list prices, by slot

    // A list is put in force only when no row was refused.
    bool applicable() const { return refused.empty(); }
    std::vector<int> refusedLines() const;
};

PriceListCheck CheckPriceList(const PriceListFile &file, const ProductCatalogue &catalogue);

// Puts the checked list in force: its prices and its name. Nothing changes, and false,
// when a row was refused.
bool ApplyPriceList(const PriceListCheck &check, ProductCatalogue &catalogue);
