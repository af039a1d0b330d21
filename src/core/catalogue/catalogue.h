#pragma once

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// One catalogue row. An empty slot has an empty name and every number 0.
struct ProductRecord {
    QString Name;      // designation as printed, at most 31 characters
    std::int32_t DN = 0; // nominal bore, mm
    double Pmin = 0;   // lower pressure limit, bar
    double Pmax = 0;   // upper pressure limit, bar
    double Qmax = 0;   // maximum flow, m3/h
    double Qmin = 0;   // minimum flow, m3/h
    double Price = 0;  // list price without VAT; 0 = no list price

    bool isEmpty() const { return Name.isEmpty(); }
};

// A row's figures as the writing rule gives them with one decimal separator: the
// bore, the pressures, the flows and the price (0 when it has none); and its pressure
// range as messages write numbers.
struct ProductFigureTexts {
    QString dn, pmin, pmax, qmax, qmin, price;
    QString pminMessage, pmaxMessage;
};

// The maker's product range: 2000 slots indexed 1..2000, each product line in a
// fixed block of slots (see catalogue_blocks.h). Filled once at start-up and only
// read afterwards.
class ProductCatalogue {
public:
    static constexpr int FirstSlot = 1;
    static constexpr int LastSlot = 2000;

    // The row in slot `index` (1..2000).
    const ProductRecord &at(int index) const;
    const ProductRecord &operator[](int index) const { return at(index); }

    // Writes the 558 product rows into their slots; every other slot stays empty.
    void Fill();

    // Number of slots that hold a product.
    int usedCount() const;

    // Writes every row's figures once with `separator`, for a caller that sizes many
    // points (the batch program); a run of the windows never needs them.
    void PrepareFigureTexts(QChar separator);
    // The row's figures written with `separator`, when they were prepared with it;
    // null otherwise.
    const ProductFigureTexts *figureTexts(int index, QChar separator) const;

private:
    ProductRecord &slot(int index);
    std::array<ProductRecord, LastSlot> rows_{};
    QChar figureSeparator_;
    std::vector<ProductFigureTexts> figureTexts_;
};
