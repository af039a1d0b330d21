#pragma once

#include <QString>

#include <array>
#include <cstdint>

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

private:
    ProductRecord &slot(int index);
    std::array<ProductRecord, LastSlot> rows_{};
};
