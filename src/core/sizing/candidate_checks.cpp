#include "core/sizing/candidate_checks.h"

#include "core/catalogue/catalogue_blocks.h"
#include "core/gas/gas_error.h"
#include "core/input/limit_compare.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

// Every product line of the catalogue.
constexpr std::array AllLines{
    Blocks::ComplexRotary16,      Blocks::ComplexTurbine1_16,       Blocks::ComplexTurbine1_75,
    Blocks::ComplexTurbine2_16,   Blocks::ComplexTurbine2_75,       Blocks::RotaryMeters,
    Blocks::Turbine1Meters16,     Blocks::Turbine1Meters75,         Blocks::Turbine2Meters16,
    Blocks::Turbine2MetersHigh,   Blocks::UtilityMeters,            Blocks::UtilityMetersCompensated,
    Blocks::CabinetMeteringR,     Blocks::CabinetMeteringSh,        Blocks::CabinetMeteringShugo,
    Blocks::CabinetMeteringShueo, Blocks::CabinetReducing,          Blocks::CabinetMeteringReducing,
    Blocks::TempComplexRotary,    Blocks::TempComplexTurbine1,      Blocks::TempComplexTurbine2,
};

bool IsComplex(int mode)
{
    return mode == 1 || mode == 2;
}

// A checked figure rounded to the given decimals, or with as many more digits as it takes
// to show it beyond its limit when the rounding would hide that (a load of 56,04 % against
// a target of 56 % is not written "56").
QString Shown(double value, int decimals, double min, double max)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    if (limits::Within(value, min, max) || !limits::Within(rounded, min, max))
        return gas::MessageNumber(rounded);
    return gas::MessageNumberOutside(value, min, max);
}

} // namespace

double InletVelocity(double qmaxWork, int dn)
{
    if (dn <= 0)
        return 0;
    constexpr double SecondsPerHour = 3600;
    const double bore = dn / 1000.0; // m
    return qmaxWork / SecondsPerHour / (std::numbers::pi * bore * bore / 4);
}

QStringList CandidateFlags(int mode, const ProductRecord &record, double loadPercent,
                           double maxLoad, double pminAbs, double pmaxAbs,
                           double inletVelocity, std::optional<double> maxInletVelocity)
{
    constexpr double Unbounded = std::numeric_limits<double>::infinity();
    QStringList flags;
    if (limits::Above(loadPercent, maxLoad)) {
        flags << u"загрузка %1 % выше целевой %2 %"_s.arg(
            Shown(loadPercent, 1, -Unbounded, maxLoad), gas::MessageNumber(maxLoad));
    }
    if (IsComplex(mode) && (limits::Below(pminAbs, record.Pmin) || limits::Above(pmaxAbs, record.Pmax))) {
        flags << u"рабочее давление %1–%2 бар (абс.) вне диапазона комплекса %3–%4 бар"_s.arg(
            Shown(pminAbs, 3, record.Pmin, Unbounded), Shown(pmaxAbs, 3, -Unbounded, record.Pmax),
            gas::MessageNumber(record.Pmin), gas::MessageNumber(record.Pmax));
    }
    if (maxInletVelocity && limits::Above(inletVelocity, *maxInletVelocity))
        flags << u"скорость на входе выше %1 м/с"_s.arg(gas::MessageNumber(*maxInletVelocity));
    return flags;
}

int LineOf(int slot)
{
    for (const CatalogueBlock &line : AllLines) {
        if (slot >= line.first && slot <= line.last)
            return line.first;
    }
    return 0;
}
