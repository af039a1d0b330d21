#pragma once

#include "core/pressure/pressure_units.h"
#include "core/input/input_field.h"

#include <QString>

// What the user typed on a cabinet form: the flow range, the inlet pressure range
// and the unit list index of each pressure.
struct CabinetEntries {
    QString qmax;     // Qmax, m3/h at standard conditions
    QString qmin;     // Qmin
    QString pmax;     // Pmax, gauge, in the unit pmaxUnit
    QString pmin;     // Pmin, gauge, in the unit pminUnit
    int pmaxUnit = 0; // unit list index (-1 or out of range counts as bar)
    int pminUnit = 0;

    bool operator==(const CabinetEntries &) const = default;
};

// Reads a cabinet form's input and works out its pressures and working flows.
//
// The flows are read into qmaxStd and qminStd as each is read; a Qmin above Qmax is
// exchanged and both are written back into `entries` by the writing rule; a
// negative flow is refused, 0 is accepted. The pressures are converted to bar in
// their own units, then put in order by their values in bar: when Pmax is below
// Pmin, the two numbers (written back by the writing rule) and their units change
// places. An absolute pressure of 0 or below is refused. Then the working flows.
//
// `values` gets each value as it is computed. Returns false at the first text that
// is not a number, refused value or failed computation; `entries` then already holds
// any exchange made before it, and `failed` (when given) the input it concerns: the
// field the refused value was typed in, also after an exchange. `pressuresExchanged`
// (when given) tells whether the pressures changed places. The texts are read and
// written back with `decimalSeparator` (null: the desktop's).
bool ReadCabinetInput(CabinetEntries &entries, double &qmaxStd, double &qminStd,
                      PressureSet &values, InputField *failed = nullptr,
                      bool *pressuresExchanged = nullptr, QChar decimalSeparator = QChar());
