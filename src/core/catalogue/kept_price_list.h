#pragma once

#include "core/catalogue/price_list_check.h"

#include <QByteArray>
#include <QString>

class ProductCatalogue;

// The price list in force, kept beside the settings file (price-list.csv) so that it
// stands at the next start: every product's price as it was put in force, the list's
// name, date and the file it came from. Written whole or not at all; removed when the
// built-in list is taken back.

QString KeptPriceListPath(const QString &settingsPath);

// The kept file's bytes: a control line, then the catalogue as catalogue_csv.h writes it.
QByteArray KeptPriceListBytes(const ProductCatalogue &catalogue);

// The catalogue's prices and its list written to `path`; false with the reason.
bool WriteKeptPriceList(const QString &path, const ProductCatalogue &catalogue, QString *why);

struct KeptPriceListReading {
    bool found = false;    // there is a kept list at all
    QString error;         // why it cannot stand (damaged, cut, refused rows); then check is empty
    PriceListCheck check;  // against the built-in catalogue, ready to apply
};

// The kept list checked against the built-in catalogue `builtIn`.
KeptPriceListReading ReadKeptPriceList(const QString &path, const ProductCatalogue &builtIn);
