#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QStringList>

class ProductCatalogue;

// The catalogue in force as a price list the program reads back unchanged, UTF-8 with
// `;`: the list's name and date above the header, then one row a product
//   Позиция;Обозначение;Ду, мм;Pmin, бар;Pmax, бар;Qmax, м³/ч;Qmin, м³/ч;Цена без НДС;Валюта
// with the figures and the price (two decimals, no grouping) in `decimalSeparator`.
// The copy kept in the settings folder also names the file the list came from.

QStringList CatalogueCsvHeader();
// The product rows under that header (a workbook takes them as they are).
QList<QStringList> CatalogueCsvRows(const ProductCatalogue &catalogue, QChar decimalSeparator);
// The columns of figures among them.
bool CatalogueCsvColumnIsNumber(int column);

QByteArray CatalogueCsv(const ProductCatalogue &catalogue, QChar decimalSeparator);
QByteArray KeptCatalogueCsv(const ProductCatalogue &catalogue);
