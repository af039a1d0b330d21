#pragma once

#include <QString>

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
