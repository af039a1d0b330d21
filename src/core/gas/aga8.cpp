#include "core/gas/aga8.h"

#include "core/gas/aga8_limits.h"
#include "core/gas/standard_conditions.h"

using namespace Qt::StringLiterals;

namespace gas {

namespace {

std::array<double, ComponentCount> Fractions(const Composition &molePercent)
{
    std::array<double, ComponentCount> x{};
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = molePercent[i] / 100;
    return x;
}

GasError NoDensity(double pressureMPa, double temperatureK)
{
    return {u"pressure"_s, u"Плотность газа при давлении %1 МПа и температуре %2 К не найдена "
                           u"(метод %3)"_s
                               .arg(MessageNumber(pressureMPa), MessageNumber(temperatureK),
                                    aga8::MethodName())};
}

} // namespace

Aga8Gas::Aga8Gas(const std::array<double, ComponentCount> &moleFractions)
    : equation_(moleFractions)
{
}

Checked<Aga8Gas> Aga8Gas::Make(const Composition &molePercent)
{
    if (std::optional<GasError> refused = aga8::CheckComposition(molePercent))
        return *refused;
    Aga8Gas made(Fractions(molePercent));
    const std::optional<double> z = made.equation_.Z(StandardPressureMPa, StandardTemperatureK);
    if (!z)
        return NoDensity(StandardPressureMPa, StandardTemperatureK);
    made.zStandard_ = *z;
    return made;
}

Checked<double> Aga8Gas::Z(double pressureMPa, double temperatureK) const
{
    if (std::optional<GasError> refused = aga8::CheckConditions(pressureMPa, temperatureK))
        return *refused;
    if (const std::optional<double> z = equation_.Z(pressureMPa, temperatureK))
        return *z;
    return NoDensity(pressureMPa, temperatureK);
}

} // namespace gas
