#pragma once

#include "core/pressure/pressure_units.h"

#include <optional>

// A gauge pressure as typed (its number and unit list index) and in bar.
struct TypedPressure {
    double typed = 0;
    int unit = 0;
    double bar = 0;
};

// The two bounds of a pressure range after they were put in order.
struct OrderedBounds {
    TypedPressure upper;
    TypedPressure lower;
    bool exchanged = false; // the typed bounds changed places
};

// Which bound a failed conversion concerns.
enum class FailedBound { Upper, Lower };

// Converts both bounds to bar in their own units and puts them in order by their
// value in bar: when the upper is below the lower, the two numbers change places
// together with their units. Empty (with the bound that failed) when a value in
// bar leaves the double range.
std::optional<OrderedBounds> OrderPressureBounds(double upperTyped, int upperUnit,
                                                 double lowerTyped, int lowerUnit,
                                                 FailedBound *failed = nullptr);

// A range whose absolute bounds differ by more than this factor is doubted.
inline constexpr double WideRangeRatio = 5.0;
// The doubt itself: PmaxAbs / PminAbs above the ratio.
bool IsWideRange(const PressureSet &values);
