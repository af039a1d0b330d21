#include "core/selection/working_selection.h"

#include "core/catalogue/block_walk.h"
#include "core/catalogue/catalogue_blocks.h"
#include "core/input/limit_compare.h"

#include <array>
#include <span>

namespace {

// The blocks of a mode in walking order; block i is opened by gate i.
constexpr std::array<CatalogueBlock, 3> TempComplexBlocks{
    Blocks::TempComplexRotary, Blocks::TempComplexTurbine1, Blocks::TempComplexTurbine2};
constexpr std::array<CatalogueBlock, 2> UtilityBlocks{Blocks::UtilityMeters,
                                                      Blocks::UtilityMetersCompensated};

// Absolute pressure, bar, above which a mode offers nothing.
constexpr double TempComplexCeiling = 16.0;
constexpr double UtilityCeiling = 2.0;

struct WorkingPlan {
    std::span<const CatalogueBlock> blocks;
    double ceiling = 0;
};

WorkingPlan PlanOfMode(int mode)
{
    switch (mode) {
    case 2:
        return {TempComplexBlocks, TempComplexCeiling};
    case 4:
        return {UtilityBlocks, UtilityCeiling};
    default:
        return {};
    }
}

} // namespace

std::vector<CatalogueBlock> WorkingPressureSelectionBlocks(int mode, const FamilyGates &gates)
{
    const WorkingPlan plan = PlanOfMode(mode);
    std::vector<CatalogueBlock> walked;
    for (std::size_t i = 0; i < plan.blocks.size(); ++i) {
        if (gates[i])
            walked.push_back(plan.blocks[i]);
    }
    return walked;
}

double WorkingPressureCeiling(int mode)
{
    return PlanOfMode(mode).ceiling;
}

SelectionResult WorkingPressureSelection(const ProductCatalogue &catalogue, int mode,
                                         const PressureSet &values, const FamilyGates &gates)
{
    const double ceiling = WorkingPressureCeiling(mode);
    const auto fits = [&](const ProductRecord &row) {
        return limits::AtMost(values.PmaxAbs, ceiling) && limits::AtMost(values.PmaxAbs, row.Pmax)
            && limits::AtMost(values.QmaxWork, row.Qmax) && limits::AtLeast(values.QminWork, row.Qmin);
    };

    const std::vector<CatalogueBlock> walked = WorkingPressureSelectionBlocks(mode, gates);
    SelectionResult result;
    for (const CatalogueBlock &block : walked)
        AppendFittingSlots(catalogue, block, fits, result.possible);
    for (const CatalogueBlock &block : walked)
        AppendFirstFittingSlot(catalogue, OptimalSearchRange(block), fits, result.optimal);
    return result;
}
