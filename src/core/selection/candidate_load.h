#pragma once

#include "core/catalogue/catalogue.h"

#include <QChar>
#include <QString>

#include <optional>

// How close a fitting product runs to its limits at the working flows.

// Working Qmax as a percentage of the product's Qmax (0 when the product's Qmax is 0).
double LoadPercent(double qmaxWork, const ProductRecord &record);
// Working Qmin over the product's Qmin: how far above its lower limit it runs;
// empty when the product's Qmin is 0.
std::optional<double> QminMargin(double qminWork, const ProductRecord &record);

// The two figures as text: the load with one decimal, the margin with two ("—"
// when there is none).
QString LoadText(double loadPercent, QChar decimalSeparator);
QString MarginText(const std::optional<double> &margin, QChar decimalSeparator);
