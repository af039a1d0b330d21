#include "core/pressure/pressure_bounds.h"

#include "core/input/limit_compare.h"

#include <cmath>
#include <utility>

std::optional<OrderedBounds> OrderPressureBounds(double upperTyped, int upperUnit,
                                                 double lowerTyped, int lowerUnit,
                                                 FailedBound *failed)
{
    OrderedBounds bounds;
    bounds.upper = {upperTyped, upperUnit, PressureToBar(upperUnit, upperTyped)};
    bounds.lower = {lowerTyped, lowerUnit, PressureToBar(lowerUnit, lowerTyped)};
    if (!std::isfinite(bounds.upper.bar) || !std::isfinite(bounds.lower.bar)) {
        if (failed)
            *failed = std::isfinite(bounds.upper.bar) ? FailedBound::Lower : FailedBound::Upper;
        return std::nullopt;
    }
    if (bounds.upper.bar < bounds.lower.bar) {
        std::swap(bounds.upper, bounds.lower);
        bounds.exchanged = true;
    }
    return bounds;
}

bool IsWideRange(const PressureSet &values)
{
    return limits::Above(values.PmaxAbs / values.PminAbs, WideRangeRatio);
}
