#pragma once

#include "core/catalogue/price_list_info.h"
#include "core/catalogue/product_record.h"

#include <array>

struct PriceListCheck;
class ProductCatalogue;
bool ApplyPriceList(const PriceListCheck &check, ProductCatalogue &catalogue);

// The maker's product range: 2000 slots indexed 1..2000, each product line in a
// fixed block of slots (see catalogue_blocks.h). Filled at start-up from the
// product table compiled into the program (data/catalogue/catalogue.csv); only a
// price list checked and put in force changes its prices afterwards.
class ProductCatalogue {
public:
    static constexpr int FirstSlot = 1;
    static constexpr int LastSlot = 2000;

    // The row in slot `index` (1..2000).
    const ProductRecord &at(int index) const;
    const ProductRecord &operator[](int index) const { return at(index); }

    // Writes the 558 product rows of the built-in table into their slots, every other
    // slot empty, at the built-in prices.
    void Fill();

    // Number of slots that hold a product.
    int usedCount() const;

    // The price list the prices come from (the built-in one after Fill()).
    const PriceListInfo &priceList() const { return priceList_; }

private:
    friend bool ApplyPriceList(const PriceListCheck &check, ProductCatalogue &catalogue);
    ProductRecord &slot(int index);
    std::array<ProductRecord, LastSlot> rows_{};
    PriceListInfo priceList_;
};
