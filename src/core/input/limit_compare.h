#pragma once

#include <cmath>

// The one rule by which a computed figure meets a limit. A working flow, an absolute
// pressure or a load is worked out in binary floating point from decimal inputs, so a
// figure that a person computes as exactly the limit (45,2 / 1,13 = 40) may come out a
// unit in the last place beyond it (40,00000000000001). A figure within a relative
// 1e-12 of the limit therefore counts as equal to it: far above the rounding of a few
// operations (about 1e-16 each), far below any digit a person types or reads.
namespace limits {

inline constexpr double RelativeTolerance = 1e-12;

// value <= limit, with the figure within the tolerance of the limit counted as equal.
inline bool AtMost(double value, double limit)
{
    return value <= limit + std::abs(limit) * RelativeTolerance;
}

// value >= limit, the same way.
inline bool AtLeast(double value, double limit)
{
    return value >= limit - std::abs(limit) * RelativeTolerance;
}

// value > limit (false for NaN, as > is): beyond the limit by more than the tolerance.
inline bool Above(double value, double limit)
{
    return value > limit + std::abs(limit) * RelativeTolerance;
}

// value < limit (false for NaN): short of the limit by more than the tolerance.
inline bool Below(double value, double limit)
{
    return value < limit - std::abs(limit) * RelativeTolerance;
}

// min <= value <= max, both ends with the tolerance.
inline bool Within(double value, double min, double max)
{
    return AtLeast(value, min) && AtMost(value, max);
}

} // namespace limits
