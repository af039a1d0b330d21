#pragma once

#include "core/catalogue/price_list_info.h"
#include "core/catalogue/product_record.h"

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

struct PriceListCheck;
class ProductCatalogue;
bool ApplyPriceList(const PriceListCheck &check, ProductCatalogue &catalogue);

// A row's figures as the writing rule gives them with one decimal separator: the
// bore, the pressures, the flows and the price (0 when it has none); and its pressure
// range as messages write numbers.
struct ProductFigureTexts {
    QString dn, pmin, pmax, qmax, qmin, price;
    QString pminMessage, pmaxMessage;
};

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
    // Writes every row's figures once with `separator`, for a caller that sizes many
    // points (the batch program); a run of the windows never needs them.
    void PrepareFigureTexts(QChar separator);
    // The row's figures written with `separator`, when they were prepared with it;
    // null otherwise.
    const ProductFigureTexts *figureTexts(int index, QChar separator) const;

private:
    friend bool ApplyPriceList(const PriceListCheck &check, ProductCatalogue &catalogue);
    ProductRecord &slot(int index);
    std::array<ProductRecord, LastSlot> rows_{};
    PriceListInfo priceList_;
    QChar figureSeparator_;
    std::vector<ProductFigureTexts> figureTexts_;
};
