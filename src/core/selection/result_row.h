#pragma once

#include "core/catalogue/catalogue.h"

#include <QChar>
#include <QString>

#include <array>

// The eight columns of a results grid.
inline constexpr int ResultColumnCount = 8;
// Rows the results window's optimal grid shows; the report lists every one.
inline constexpr int OptimalGridRowCount = 3;
using ResultRow = std::array<QString, ResultColumnCount>;

// Header row of both grids with the rouble price header.
ResultRow ResultHeaderRow();
QString PriceHeaderRoubles(); // "Стоимость без НДС, руб. РФ"
QString PriceHeaderEuros();   // "Стоимость без НДС, EVR"

// One result row: number, Name, DN, Pmin, Pmax, Qmax, Qmin by the writing rule,
// and the price or "договорная" when it is 0.
ResultRow FormatResultRow(int number, const ProductRecord &record, QChar decimalSeparator);
// A row's number as the writing rule writes it (the first ones without allocating).
QString RowNumberText(int number, QChar decimalSeparator);
// The same from the row's figures already written with that separator.
ResultRow FormatResultRow(int number, const ProductRecord &record, const ProductFigureTexts &figures,
                          QChar decimalSeparator);
ResultRow FormatResultRow(int number, const ProductRecord &record);
