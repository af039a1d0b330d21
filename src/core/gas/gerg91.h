#pragma once

#include "core/gas/gas_error.h"

#include <optional>

namespace gas {

// Compressibility factor Z of a natural gas by the modified GERG-91 method (ГОСТ 30319.2,
// «GERG-91 мод.»): the SGERG-88 virial equation of ISO 12213-3 with the gas described by
// the three figures of its passport, the density at standard conditions and the mole
// fractions of nitrogen and carbon dioxide (hydrogen taken as 0). Make() characterizes the
// gas once; each Z(p, T) then costs two virial coefficients and a cubic.
//
// Units: pressure in MPa, absolute; temperature in kelvin; density in kg/m3 at 293,15 K and
// 101,325 kPa; N2 and CO2 in mole per cent. Every input outside the method's range of
// validity is refused with a GasError.
class Gerg91Gas {
public:
    static Checked<Gerg91Gas> Make(double densityStandard, double n2Percent, double co2Percent);

    // Z at pressure p (MPa, absolute) and temperature T (K).
    Checked<double> Z(double pressureMPa, double temperatureK) const;
    // Z of the same gas at standard conditions, 0,101325 MPa and 293,15 K, by the same
    // virial equation.
    double ZStandard() const { return zStandard_; }

private:
    Gerg91Gas(double xe, double xa, double xy, double h) : xe_(xe), xa_(xa), xy_(xy), h_(h) {}
    std::optional<double> Unchecked(double pressureMPa, double temperatureK) const;

    double xe_; // equivalent hydrocarbon
    double xa_; // nitrogen
    double xy_; // carbon dioxide
    double h_;  // molar heat of combustion of the equivalent hydrocarbon, kJ/mol
    double zStandard_ = 1;
};

// The range of validity Gerg91Gas enforces (ГОСТ 30319.2-96, 3.2.1, the ranges of the
// method «GERG-91 мод.»: pressure up to 12 MPa, 250 to 340 K, density at standard
// conditions 0,668 to 1,0 kg/m3, nitrogen up to 20 mol %, carbon dioxide up to 15 mol %).
namespace gerg91 {
inline constexpr double MinPressureMPa = 0; // above 0: an absolute pressure is never 0 here
inline constexpr double MaxPressureMPa = 12;
inline constexpr double MinTemperatureK = 250;
inline constexpr double MaxTemperatureK = 340;
inline constexpr double MinDensity = 0.668; // kg/m3
inline constexpr double MaxDensity = 1.0;
inline constexpr double MaxN2Percent = 20;
inline constexpr double MaxCo2Percent = 15;
} // namespace gerg91

} // namespace gas
