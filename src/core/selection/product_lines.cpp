#include "core/selection/product_lines.h"

#include "core/cabinet/cabinet_captions.h"
#include "core/selection/selection_modes.h"

#include <array>

namespace {

constexpr int Metering = static_cast<int>(CabinetKind::Metering);
constexpr int Reducing = static_cast<int>(CabinetKind::Reducing);
constexpr int MeteringReducing = static_cast<int>(CabinetKind::MeteringReducing);

constexpr std::array<ProductLine, 21> Lines{{
    {1, 0, Blocks::ComplexRotary16},
    {1, 1, Blocks::ComplexTurbine1_16},
    {1, 1, Blocks::ComplexTurbine1_75},
    {1, 2, Blocks::ComplexTurbine2_16},
    {1, 2, Blocks::ComplexTurbine2_75},
    {3, 0, Blocks::RotaryMeters},
    {3, 1, Blocks::Turbine1Meters16},
    {3, 1, Blocks::Turbine1Meters75},
    {3, 2, Blocks::Turbine2Meters16},
    {3, 2, Blocks::Turbine2MetersHigh},
    {4, 0, Blocks::UtilityMeters},
    {4, 1, Blocks::UtilityMetersCompensated},
    {5, Metering, Blocks::CabinetMeteringR},
    {5, Metering, Blocks::CabinetMeteringSh},
    {5, Metering, Blocks::CabinetMeteringShugo},
    {5, Metering, Blocks::CabinetMeteringShueo},
    {5, Reducing, Blocks::CabinetReducing},
    {5, MeteringReducing, Blocks::CabinetMeteringReducing},
    {2, 0, Blocks::TempComplexRotary},
    {2, 1, Blocks::TempComplexTurbine1},
    {2, 2, Blocks::TempComplexTurbine2},
}};

constexpr bool InSlotOrder()
{
    for (std::size_t i = 1; i < Lines.size(); ++i)
        if (Lines[i].block.first <= Lines[i - 1].block.last)
            return false;
    return true;
}
static_assert(InSlotOrder());

} // namespace

std::span<const ProductLine> ProductLines()
{
    return Lines;
}

const ProductLine *LineOfSlot(int slot)
{
    for (const ProductLine &line : Lines)
        if (slot >= line.block.first && slot <= line.block.last)
            return &line;
    return nullptr;
}

int FamilyCount(int mode)
{
    return mode == 5 ? 3 : static_cast<int>(FamilyCaptions(mode).size());
}

QString FamilyCaption(int mode, int family)
{
    if (mode == 5)
        return CabinetKindCaption(static_cast<CabinetKind>(family));
    return FamilyCaptions(mode).value(family);
}

QString CategoryOfLine(const ProductLine &line)
{
    return CategoryCaption(line.mode);
}

QString FamilyOfLine(const ProductLine &line)
{
    return FamilyCaption(line.mode, line.family);
}

Currency CurrencyOfMode(int mode)
{
    return mode == 4 ? Currency::Euros : Currency::Roubles;
}

Currency CurrencyOfSlot(int slot)
{
    const ProductLine *line = LineOfSlot(slot);
    return line ? CurrencyOfMode(line->mode) : Currency::Roubles;
}
