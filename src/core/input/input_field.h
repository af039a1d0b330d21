#pragma once

// The input a refused entry concerns, so that a message can point at it (the
// batch program names it as a column).
enum class InputField {
    None,
    Qmax,
    Qmin,
    Pmax,
    Pmin,
    WorkingPressure,
    Variant,
    Side,
    Bypass,
    Gauges,
    Conditions, // a figure of the sizing conditions (temperature, gas data, ...)
};
