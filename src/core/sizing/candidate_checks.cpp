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
    return CandidateChecks(mode, maxLoad, pminAbs, pmaxAbs, maxInletVelocity)
        .flags(record, loadPercent, nullptr, inletVelocity);
}

CandidateChecks::CandidateChecks(int mode, double maxLoad, double pminAbs, double pmaxAbs,
                                 std::optional<double> maxInletVelocity)
    : mode_(mode), maxLoad_(maxLoad), pminAbs_(pminAbs), pmaxAbs_(pmaxAbs), maxInletVelocity_(maxInletVelocity)
{
}

QStringList CandidateChecks::flags(const ProductRecord &record, double loadPercent,
                                   const ProductFigureTexts *figures, double inletVelocity) const
{
    constexpr double Unbounded = std::numeric_limits<double>::infinity();
    // Shown() of a working pressure: the rounded figure, the same for every row that
    // it does not pass only by its rounding.
    const auto shown = [](std::optional<QString> &kept, double value, double min, double max) {
        const double rounded = std::round(value * 1000) / 1000;
        if (limits::Within(value, min, max) || !limits::Within(rounded, min, max)) {
            if (!kept)
                kept = gas::MessageNumber(rounded);
            return *kept;
        }
        return gas::MessageNumberOutside(value, min, max);
    };
    QStringList flags;
    if (limits::Above(loadPercent, maxLoad_)) {
        if (!maxLoadText_)
            maxLoadText_ = gas::MessageNumber(maxLoad_);
        flags << u"загрузка %1 % выше целевой %2 %"_s.arg(Shown(loadPercent, 1, -Unbounded, maxLoad_), *maxLoadText_);
    }
    if (IsComplex(mode_) && (limits::Below(pminAbs_, record.Pmin) || limits::Above(pmaxAbs_, record.Pmax))) {
        flags << u"рабочее давление %1–%2 бар (абс.) вне диапазона комплекса %3–%4 бар"_s.arg(
            shown(pminShown_, pminAbs_, record.Pmin, Unbounded), shown(pmaxShown_, pmaxAbs_, -Unbounded, record.Pmax),
            figures ? figures->pminMessage : gas::MessageNumber(record.Pmin),
            figures ? figures->pmaxMessage : gas::MessageNumber(record.Pmax));
    }
    if (maxInletVelocity_ && limits::Above(inletVelocity, *maxInletVelocity_))
        flags << u"скорость на входе выше %1 м/с"_s.arg(gas::MessageNumber(*maxInletVelocity_));
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
