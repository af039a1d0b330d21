#pragma once

#include "core/sizing/sizing_conditions.h"

#include <QString>

// The words and formulas that name a conversion to the user: the results window's
// formula captions and conditions line, and the report's section "Условия расчёта".

// The two fractions of the results window's formula lines: Qраб max = numerator /
// denominator, and the same for Qраб min. Under Simple the catalogue's own
// (numerator "Qmax" over "Pmin+Patm" ...).
struct WorkingFormula {
    QString qmaxNumerator, qmaxDenominator;
    QString qminNumerator, qminDenominator;
};
WorkingFormula FormulaOf(ConversionMethod method, bool rangeLayout);

// The formula on one line, as the report writes it:
// "Qраб max = Qmax·(pc/(Pmin+Patm))·(Tmax/Tc)·(Z/Zc)".
QString FormulaLineMax(ConversionMethod method, bool rangeLayout);
QString FormulaLineMin(ConversionMethod method, bool rangeLayout);

// Whether the window marks the rows that fail a check: only when the conditions
// differ from the catalogue's own in a way the user chose (another method, a load
// target below 100 %, or the strict choice), so the defaults look as they always did.
bool MarksFlags(const SizingConditions &conditions);

// The line under the results window's panels: the method, the temperatures, the
// atmosphere and Z at both working points (and Zc). Empty under Simple.
QString ConditionsSummary(const AppliedConditions &applied);

// Z written with four decimals ("0,9981").
QString ZText(double z);
