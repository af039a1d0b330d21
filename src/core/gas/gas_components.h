#pragma once

#include <QString>

#include <array>

namespace gas {

// The 21 components of the AGA8-92DC detail characterization method, in the order of
// its tables (ISO 12213-2, Annex B), which is also the order of the batch program's
// composition columns.
enum class Component : int {
    Methane,
    Nitrogen,
    CarbonDioxide,
    Ethane,
    Propane,
    Isobutane,
    NButane,
    Isopentane,
    NPentane,
    NHexane,
    NHeptane,
    NOctane,
    NNonane,
    NDecane,
    Hydrogen,
    Oxygen,
    CarbonMonoxide,
    Water,
    HydrogenSulfide,
    Helium,
    Argon,
};

inline constexpr int ComponentCount = 21;

// A molar composition in mole per cent, indexed by Component; a complete one sums to 100.
using Composition = std::array<double, ComponentCount>;

// Machine key of a component: "methane", "nitrogen", "carbon_dioxide", ... "argon".
QString ComponentKey(Component c);
// Russian name of a component: "Метан", "Азот", "Диоксид углерода", ...
QString ComponentName(Component c);
// Molar mass, kg/kmol (ISO 12213-2, Table B.2).
double MolarMass(Component c);

// The component at list index i (0..20).
constexpr Component ComponentAt(int i) { return static_cast<Component>(i); }
constexpr int IndexOf(Component c) { return static_cast<int>(c); }

} // namespace gas
