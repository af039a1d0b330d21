#pragma once

#include "core/catalogue/catalogue_blocks.h"
#include "core/catalogue/currency.h"

#include <QString>

#include <span>

// The product lines as the windows name them: each block of the catalogue belongs to
// one family (a check box of a choice dialog, a cabinet kind) of one category (a
// selection mode), and is priced in that category's currency.

struct ProductLine {
    int mode;   // 1..5
    int family; // box of the mode's choice dialog from 0; for mode 5 the cabinet kind
    CatalogueBlock block;
};

// Every block, in slot order.
std::span<const ProductLine> ProductLines();

// The line of `slot`, null outside every block.
const ProductLine *LineOfSlot(int slot);

// The category's caption as the main window names it, the family's as its choice
// dialog does ("Ротационный счетчик газа ZAM", "Пункт учета газа ТИВ").
QString CategoryOfLine(const ProductLine &line);
QString FamilyOfLine(const ProductLine &line);
// How many families the mode has (3, 3, 3, 2, 3).
int FamilyCount(int mode);
QString FamilyCaption(int mode, int family);

// The currency a mode's prices are in: euros for the utility meters, roubles for
// the rest.
Currency CurrencyOfMode(int mode);
// The currency of the product in `slot` (roubles outside every block).
Currency CurrencyOfSlot(int slot);
