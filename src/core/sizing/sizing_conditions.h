#pragma once

#include "core/gas/gas_components.h"
#include "core/gas/gas_error.h"
#include "core/pressure/pressure_units.h"

#include <QString>
#include <QStringList>

#include <optional>

// How standard flows become working flows. `Simple` is the catalogue's own
// conversion (working flow = standard flow / (gauge pressure + 1 bar)) and the
// default; the others work at the real gas temperature and atmospheric pressure:
//   p_abs = p_gauge + p_atm,
//   Qраб max = Qc max · (pc / p_min abs) · (T_max / Tc) · (Z(p_min abs, T_max) / Zc),
//   Qраб min = Qc min · (pc / p_max abs) · (T_min / Tc) · (Z(p_max abs, T_min) / Zc),
// with pc = 101.325 kPa, Tc = 293.15 K (ГОСТ 2939) and Zc the same gas's Z at pc and
// Tc by the same method; `Ideal` takes Z = 1, `Gerg91` and `Aga8` the methods of
// ГОСТ 30319.2.
enum class ConversionMethod { Simple, Ideal, Gerg91, Aga8 };

// The method's key ("simple", "ideal", "gerg91", "aga8") and back (empty when unknown).
QString MethodKey(ConversionMethod method);
std::optional<ConversionMethod> MethodOfKey(const QString &key);
// The method as the program names it to the user ("по ГОСТ 30319.2 (AGA8-92DC)", ...).
QString MethodName(ConversionMethod method);

// The conditions every sizing is made under, with the engineering checks applied to
// each candidate. The defaults are the catalogue's own conversion with no check
// that could change the optimal choice.
struct SizingConditions {
    ConversionMethod method = ConversionMethod::Simple;
    double tMin = 20;        // gas temperature range, °C
    double tMax = 20;
    double pAtm = 101.325;   // atmospheric pressure, kPa
    // GERG-91 мод.: density at 20 °C and 101.325 kPa, kg/m3; N2 and CO2, mol %.
    double density = 0.68;
    double n2 = 1;
    double co2 = 0.5;
    // AGA8-92DC: mole per cent of each component (pure methane by default).
    gas::Composition composition = DefaultComposition();
    double maxLoad = 100;    // target maximum load, % of the product's Qmax
    // The highest gas velocity in the meter's inlet at the working Qmax, m/s; none: no
    // check. The limit of a meter is its maker's (its manual), never the program's.
    std::optional<double> maxInletVelocity;
    bool strict = false;     // the optimal choice honours the checks

    static gas::Composition DefaultComposition();
    bool operator==(const SizingConditions &) const = default;
};

// A refused figure of the conditions: its key (the batch column: "t_min", "t_max",
// "p_atm", "max_load", "density", "n2", "co2", "x_<component>", "composition") and
// the message naming it with its admitted range.
using ConditionsError = gas::GasError;

// The figures that do not depend on the pressures: temperatures, atmosphere, load
// target and the gas data of the method. Empty when every figure is admitted.
std::optional<ConditionsError> CheckConditions(const SizingConditions &conditions);

// What the conversion used, for the results window, the report and the batch output.
struct AppliedConditions {
    ConversionMethod method = ConversionMethod::Simple;
    double tMin = 20, tMax = 20; // °C, in order
    double pAtm = 101.325;       // kPa (Simple: the 1 bar of the catalogue's rule)
    double zQmax = 1;            // Z(p_min abs, T_max)
    double zQmin = 1;            // Z(p_max abs, T_min)
    double zStd = 1;             // Zc
};

// Converts the gauge pressures of `set` (bar) to the real absolute pressures and the
// standard flows to working flows under `conditions` (not Simple). On a refusal the
// set is left as it was and the error's key names the figure ("pmax", "pmin" for a
// working pressure outside the method's range, "t_min", "t_max", ...).
std::optional<ConditionsError> ApplyConditions(const SizingConditions &conditions, double qmaxStd,
                                               double qminStd, PressureSet &set,
                                               AppliedConditions &applied);
