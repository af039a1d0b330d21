#pragma once

#include "core/gas/gas_components.h"
#include "core/gas/gas_error.h"

#include <optional>

// The range of validity of the AGA8-92DC method that Aga8Gas enforces: the "pipeline
// quality gas" ranges of ISO 12213-2:2006, 4.4.1, for which the standard states an
// uncertainty of about 0,1 %.
namespace gas::aga8 {

inline constexpr double MaxPressureMPa = 12;   // 0 < p <= 12 MPa
inline constexpr double MinTemperatureK = 263;
inline constexpr double MaxTemperatureK = 338;
// Largest admitted departure of the sum of a composition from 100 mol %.
inline constexpr double SumTolerancePercent = 0.01;

QString MethodName();

// Refuses a composition (mole per cent) with a NaN or infinite, negative or out-of-range
// fraction, or that does not sum to 100 % within SumTolerancePercent.
std::optional<GasError> CheckComposition(const Composition &molePercent);
// Refuses a pressure (MPa, absolute) or temperature (K) outside the range.
std::optional<GasError> CheckConditions(double pressureMPa, double temperatureK);

} // namespace gas::aga8
