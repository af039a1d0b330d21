#include "core/cabinet/cabinet_selection.h"

#include "core/catalogue/block_walk.h"
#include "core/catalogue/catalogue_blocks.h"
#include "core/input/limit_compare.h"

#include <array>

namespace {

// Upper absolute pressure, bar, that no cabinet point takes beyond.
constexpr double CabinetPressureCap = 16.0;

// The slots one variant button reaches: walked for the possible list, searched
// for the optimal row.
struct VariantSlots {
    CatalogueBlock possible;
    CatalogueBlock optimal;
};

constexpr VariantSlots WholeBlock(CatalogueBlock block)
{
    return {block, OptimalSearchRange(block)};
}

constexpr VariantSlots SingleSlot(int index)
{
    return {{index, index}, {index, index}};
}

// Buttons 1..4 of each form in order. The third button (electrically heated
// cabinet) reaches the "ШУЭО" entries and the fourth (gas-heated) the "ШУГО"
// ones, although the catalogue keeps the gas-heated entry first.
constexpr std::array<VariantSlots, 4> MeteringVariants{
    WholeBlock(Blocks::CabinetMeteringR), WholeBlock(Blocks::CabinetMeteringSh),
    WholeBlock(Blocks::CabinetMeteringShueo), WholeBlock(Blocks::CabinetMeteringShugo)};

constexpr std::array<VariantSlots, 4> ReducingVariants{
    SingleSlot(Blocks::CabinetReducing.first), SingleSlot(Blocks::CabinetReducing.first + 1),
    SingleSlot(Blocks::CabinetReducing.first + 3), SingleSlot(Blocks::CabinetReducing.first + 2)};

constexpr std::array<VariantSlots, 4> MeteringReducingVariants{
    SingleSlot(Blocks::CabinetMeteringReducing.first),
    SingleSlot(Blocks::CabinetMeteringReducing.first + 1),
    SingleSlot(Blocks::CabinetMeteringReducing.first + 3),
    SingleSlot(Blocks::CabinetMeteringReducing.first + 2)};

const std::array<VariantSlots, 4> &VariantsOf(CabinetKind kind)
{
    switch (kind) {
    case CabinetKind::Reducing:
        return ReducingVariants;
    case CabinetKind::MeteringReducing:
        return MeteringReducingVariants;
    case CabinetKind::Metering:
        break;
    }
    return MeteringVariants;
}

} // namespace

std::optional<CatalogueBlock> CabinetSelectionSlots(CabinetKind kind, int variant)
{
    if (variant < 1 || variant > 4)
        return std::nullopt;
    return VariantsOf(kind)[static_cast<std::size_t>(variant - 1)].possible;
}

double CabinetPressureCeiling()
{
    return CabinetPressureCap;
}

SelectionResult CabinetSelection(const ProductCatalogue &catalogue, CabinetKind kind, int variant,
                                 const PressureSet &values)
{
    SelectionResult result;
    if (variant < 1 || variant > 4)
        return result;
    const VariantSlots &variantSlots = VariantsOf(kind)[static_cast<std::size_t>(variant - 1)];

    const auto fits = [&values](const ProductRecord &entry) {
        return limits::AtMost(values.PmaxAbs, CabinetPressureCap)
            && limits::AtMost(values.PmaxAbs, entry.Pmax) && limits::AtLeast(values.PminAbs, entry.Pmin)
            && limits::AtMost(values.QmaxWork, entry.Qmax)
            && limits::AtLeast(values.QminWork, entry.Qmin);
    };
    AppendFittingSlots(catalogue, variantSlots.possible, fits, result.possible);
    AppendFirstFittingSlot(catalogue, variantSlots.optimal, fits, result.optimal);
    return result;
}
