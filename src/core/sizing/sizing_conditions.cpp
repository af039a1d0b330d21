#include "core/sizing/sizing_conditions.h"

#include "core/gas/aga8.h"
#include "core/gas/gerg91.h"
#include "core/gas/standard_conditions.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

constexpr double KelvinAtZeroCelsius = 273.15;
constexpr double KilopascalsPerBar = 100;

// The figures every real method admits. The temperatures of the two gas methods are
// narrowed further by their own ranges when Z is computed.
constexpr double LowestTemperature = -60;  // °C
constexpr double HighestTemperature = 100; // °C
constexpr double LowestAtmosphere = 50;    // kPa: about 5,500 m above the sea
constexpr double HighestAtmosphere = 110;  // kPa
constexpr double LowestMaxLoad = 10;       // %
constexpr double HighestMaxLoad = 100;     // %
// The inlet velocity limit typed: above a standstill, below the speed of sound in
// natural gas (about 430 m/s at 20 °C).
constexpr double LowestMaxVelocity = 0.1;  // m/s
constexpr double HighestMaxVelocity = 400; // m/s

// Z of a gas at one point, or the reason it was refused.
class GasModel {
public:
    virtual ~GasModel() = default;
    virtual gas::Checked<double> Z(double pressureMPa, double temperatureK) const = 0;
    virtual double ZStandard() const = 0;
};

class IdealGas : public GasModel {
public:
    gas::Checked<double> Z(double, double) const override { return 1.0; }
    double ZStandard() const override { return 1; }
};

template <typename Gas>
class RealGas : public GasModel {
public:
    explicit RealGas(Gas gas) : gas_(std::move(gas)) {}
    gas::Checked<double> Z(double pressureMPa, double temperatureK) const override
    {
        return gas_.Z(pressureMPa, temperatureK);
    }
    double ZStandard() const override { return gas_.ZStandard(); }

private:
    Gas gas_;
};

template <typename Gas>
std::variant<std::unique_ptr<GasModel>, ConditionsError> Wrap(gas::Checked<Gas> made)
{
    if (auto *error = std::get_if<gas::GasError>(&made))
        return *error;
    return std::unique_ptr<GasModel>(new RealGas<Gas>(std::move(std::get<Gas>(made))));
}

std::variant<std::unique_ptr<GasModel>, ConditionsError> MakeGas(const SizingConditions &c)
{
    switch (c.method) {
    case ConversionMethod::Gerg91:
        return Wrap(gas::Gerg91Gas::Make(c.density, c.n2, c.co2));
    case ConversionMethod::Aga8:
        return Wrap(gas::Aga8Gas::Make(c.composition));
    default:
        return std::unique_ptr<GasModel>(new IdealGas);
    }
}

// The key of a figure the gas method refused at one working point.
ConditionsError AtPoint(ConditionsError error, const QString &pressureKey, const QString &temperatureKey)
{
    if (error.key == u"pressure")
        error.key = pressureKey;
    else if (error.key == u"temperature")
        error.key = temperatureKey;
    return error;
}

} // namespace

QString MethodKey(ConversionMethod method)
{
    switch (method) {
    case ConversionMethod::Simple: return u"simple"_s;
    case ConversionMethod::Ideal: return u"ideal"_s;
    case ConversionMethod::Gerg91: return u"gerg91"_s;
    case ConversionMethod::Aga8: return u"aga8"_s;
    }
    return {};
}

std::optional<ConversionMethod> MethodOfKey(const QString &key)
{
    for (const ConversionMethod m : {ConversionMethod::Simple, ConversionMethod::Ideal,
                                     ConversionMethod::Gerg91, ConversionMethod::Aga8}) {
        if (MethodKey(m) == key.trimmed().toLower())
            return m;
    }
    return std::nullopt;
}

QString MethodName(ConversionMethod method)
{
    switch (method) {
    case ConversionMethod::Simple: return u"упрощённый: Qраб = Qст / (Pизб + 1 бар)"_s;
    case ConversionMethod::Ideal: return u"идеальный газ (Z = 1) с температурой и атмосферным давлением"_s;
    case ConversionMethod::Gerg91: return u"по ГОСТ 30319.2, метод GERG-91 мод."_s;
    case ConversionMethod::Aga8: return u"по ГОСТ 30319.2, метод AGA8-92DC"_s;
    }
    return {};
}

gas::Composition SizingConditions::DefaultComposition()
{
    gas::Composition methane{};
    methane[gas::IndexOf(gas::Component::Methane)] = 100;
    return methane;
}

namespace {

using CheckedModel = std::variant<std::unique_ptr<GasModel>, ConditionsError>;

// The checks' own figures, under any method.
std::optional<ConditionsError> CheckedLimits(const SizingConditions &c)
{
    const QString method = MethodName(c.method);
    if (auto e = gas::CheckRange(u"max_load"_s, u"Целевая наибольшая загрузка"_s, c.maxLoad, u"%"_s, method,
                                 LowestMaxLoad, HighestMaxLoad))
        return e;
    if (c.maxInletVelocity)
        return gas::CheckRange(u"max_velocity"_s, u"Наибольшая скорость газа на входе"_s, *c.maxInletVelocity,
                               u"м/с"_s, method, LowestMaxVelocity, HighestMaxVelocity);
    return std::nullopt;
}

// The figures checked and the gas made from them, once for a request.
CheckedModel CheckedGas(const SizingConditions &c)
{
    if (c.method == ConversionMethod::Simple) {
        if (auto e = CheckedLimits(c))
            return *e;
        return std::unique_ptr<GasModel>(new IdealGas);
    }
    const QString method = MethodName(c.method);
    if (auto e = gas::CheckRange(u"t_min"_s, u"Наименьшая температура газа"_s, c.tMin, u"°C"_s, method,
                                 LowestTemperature, HighestTemperature))
        return *e;
    if (auto e = gas::CheckRange(u"t_max"_s, u"Наибольшая температура газа"_s, c.tMax, u"°C"_s, method,
                                 LowestTemperature, HighestTemperature))
        return *e;
    if (auto e = gas::CheckRange(u"p_atm"_s, u"Атмосферное давление"_s, c.pAtm, u"кПа"_s, method,
                                 LowestAtmosphere, HighestAtmosphere))
        return *e;
    if (auto e = CheckedLimits(c))
        return *e;
    auto made = MakeGas(c);
    if (std::holds_alternative<ConditionsError>(made))
        return made;
    // The temperatures against the method's own range (at the standard pressure,
    // which every method admits).
    const GasModel &gasModel = *std::get<std::unique_ptr<GasModel>>(made);
    for (const auto &[key, celsius] : {std::pair(u"t_min"_s, c.tMin), std::pair(u"t_max"_s, c.tMax)}) {
        const auto z = gasModel.Z(gas::StandardPressureMPa, celsius + KelvinAtZeroCelsius);
        if (const auto *error = std::get_if<gas::GasError>(&z))
            return AtPoint(*error, u"pressure"_s, key);
    }
    return made;
}

} // namespace

std::optional<ConditionsError> CheckConditions(const SizingConditions &c)
{
    auto checked = CheckedGas(c);
    if (auto *error = std::get_if<ConditionsError>(&checked))
        return *error;
    return std::nullopt;
}

std::optional<ConditionsError> ApplyConditions(const SizingConditions &c, double qmaxStd,
                                               double qminStd, PressureSet &set,
                                               AppliedConditions &applied)
{
    auto made = CheckedGas(c);
    if (auto *error = std::get_if<ConditionsError>(&made))
        return *error;
    const GasModel &gasModel = *std::get<std::unique_ptr<GasModel>>(made);

    // The temperatures are put in order first, as the flow range is.
    const auto [tMin, tMax] = std::minmax(c.tMin, c.tMax);
    const double pAtmBar = c.pAtm / KilopascalsPerBar;
    const double pmaxAbs = set.PmaxGauge + pAtmBar;
    const double pminAbs = set.PminGauge + pAtmBar;
    const double cold = tMin + KelvinAtZeroCelsius;
    const double warm = tMax + KelvinAtZeroCelsius;

    // Qmax comes with the lowest pressure at the highest temperature, Qmin the reverse.
    const auto zQmax = gasModel.Z(pminAbs / 10, warm);
    if (auto *error = std::get_if<gas::GasError>(&zQmax))
        return AtPoint(*error, u"pmin"_s, u"t_max"_s);
    const auto zQmin = gasModel.Z(pmaxAbs / 10, cold);
    if (auto *error = std::get_if<gas::GasError>(&zQmin))
        return AtPoint(*error, u"pmax"_s, u"t_min"_s);

    const double pc = gas::StandardPressureMPa * 10; // bar
    const double tc = gas::StandardTemperatureK;
    const double zStd = gasModel.ZStandard();
    const double qmaxWork = qmaxStd * (pc / pminAbs) * (warm / tc) * (std::get<double>(zQmax) / zStd);
    const double qminWork = qminStd * (pc / pmaxAbs) * (cold / tc) * (std::get<double>(zQmin) / zStd);
    if (!(pminAbs > 0) || !std::isfinite(qmaxWork) || !std::isfinite(qminWork))
        return ConditionsError{u"pmin"_s, u"Абсолютное давление должно быть больше нуля"_s};

    set.PmaxAbs = pmaxAbs;
    set.PminAbs = pminAbs;
    set.QmaxWork = qmaxWork;
    set.QminWork = qminWork;
    applied = {c.method, tMin, tMax, c.pAtm, std::get<double>(zQmax), std::get<double>(zQmin), zStd};
    return std::nullopt;
}
