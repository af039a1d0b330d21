#pragma once

namespace gas {

// Standard conditions of the sizing program (ГОСТ 2939): 101,325 kPa and 20 °C.
inline constexpr double StandardPressureMPa = 0.101325;
inline constexpr double StandardTemperatureK = 293.15;

} // namespace gas
