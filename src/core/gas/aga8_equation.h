#pragma once

#include <array>
#include <optional>

namespace gas::aga8 {

// The bare AGA8-92DC equation of state (ISO 12213-2, Annex B) for one gas: the
// composition-dependent mixture parameters are worked out once, then Z is found at any
// (p, T) by solving the equation for the molar density. It checks no range of validity;
// Aga8Gas is the refusing front for callers.
class Aga8Equation {
public:
    // x: mole fractions in Component order, summing to 1.
    explicit Aga8Equation(const std::array<double, 21> &x);

    // Compressibility factor at pressure p (MPa, absolute) and temperature T (K); empty if
    // the density iteration found no gas-phase root.
    std::optional<double> Z(double pressureMPa, double temperatureK) const;

private:
    // Z and dZ/d(rho) at one molar density (kmol/m3).
    struct ZAndSlope {
        double z;
        double slope;
    };
    // Temperature-dependent coefficients: B (m3/kmol) and C*_n, n = 13..58.
    struct AtTemperature {
        double b;
        std::array<double, 46> c;
        double sumC13to18;
    };
    AtTemperature Coefficients(double temperatureK) const;
    ZAndSlope Evaluate(const AtTemperature &t, double rho) const;

    double k3_ = 0;                       // K^3, m3/kmol
    std::array<double, 18> bTerms_{};     // B terms n = 1..18 without T^-u_n
    std::array<double, 46> cTerms_{};     // C*_n, n = 13..58, without T^-u_n
};

} // namespace gas::aga8
