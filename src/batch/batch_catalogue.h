#pragma once

#include <QString>

#include <functional>
#include <optional>

class ProductCatalogue;
class QIODevice;

// The catalogue a batch run sizes with: the built-in one, or priced by a price list
// (--price-list, read and checked as the windows do); and the catalogue in force
// written out (--catalogue-out) as CSV, which --price-list reads back unchanged, or
// as a workbook by the extension.

// Writes the catalogue as a workbook to `path`; false with the reason.
using CatalogueWorkbookWriter = std::function<bool(const QString &path, const ProductCatalogue &catalogue, QString *error)>;

// Prices `catalogue` by the list at `path`. False when the file cannot be read or is
// refused, with the reason, or every refused row with its line, said to `errors`.
bool ApplyBatchPriceList(const QString &path, ProductCatalogue &catalogue, QIODevice &errors);

// Writes the catalogue to `path` ("-" is standard output): xlsx by the extension
// through `workbook`, else CSV. False with the reason said to `errors`.
bool WriteBatchCatalogue(const QString &path, const ProductCatalogue &catalogue, QIODevice &standardOutput,
                         QIODevice &errors, const CatalogueWorkbookWriter &workbook);
