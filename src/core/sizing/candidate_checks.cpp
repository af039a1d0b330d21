#include "core/sizing/candidate_checks.h"

#include "core/catalogue/catalogue_blocks.h"
#include "core/gas/gas_error.h"

#include <array>
#include <cmath>

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

} // namespace

QStringList CandidateFlags(int mode, const ProductRecord &record, double loadPercent,
                           double maxLoad, double pminAbs, double pmaxAbs)
{
    QStringList flags;
    if (loadPercent > maxLoad) {
        flags << u"загрузка %1 % выше целевой %2 %"_s.arg(gas::MessageNumber(std::round(loadPercent * 10) / 10),
                                                         gas::MessageNumber(maxLoad));
    }
    if (IsComplex(mode) && (pminAbs < record.Pmin || pmaxAbs > record.Pmax)) {
        flags << u"рабочее давление %1–%2 бар (абс.) вне диапазона комплекса %3–%4 бар"_s.arg(
            gas::MessageNumber(std::round(pminAbs * 1000) / 1000),
            gas::MessageNumber(std::round(pmaxAbs * 1000) / 1000), gas::MessageNumber(record.Pmin),
            gas::MessageNumber(record.Pmax));
    }
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
