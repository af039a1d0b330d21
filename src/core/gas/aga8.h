#pragma once

#include "core/gas/aga8_equation.h"
#include "core/gas/gas_components.h"
#include "core/gas/gas_error.h"

namespace gas {

// Compressibility factor Z of a natural gas by the AGA8-92DC detail characterization
// method (ISO 12213-2; AGA Report No. 8, 1992/1994; one of the methods of ГОСТ 30319.2)
// from its molar composition. Make() works out the composition-dependent parameters once;
// each Z(p, T) then only solves the equation for the density.
//
// Units: pressure in MPa, absolute; temperature in kelvin; composition in mole per cent.
// Every input outside the method's range of validity (aga8_limits.h) is refused with a
// GasError; nothing is normalised or clipped.
class Aga8Gas {
public:
    static Checked<Aga8Gas> Make(const Composition &molePercent);

    // Z at pressure p (MPa, absolute) and temperature T (K).
    Checked<double> Z(double pressureMPa, double temperatureK) const;
    // Z of the same gas at standard conditions, 0,101325 MPa and 293,15 K.
    double ZStandard() const { return zStandard_; }

private:
    explicit Aga8Gas(const std::array<double, ComponentCount> &moleFractions);

    aga8::Aga8Equation equation_;
    double zStandard_ = 1;
};

} // namespace gas
