#include "core/selection/range_selection.h"

#include "core/catalogue/block_walk.h"
#include "core/catalogue/catalogue_blocks.h"
#include "core/input/limit_compare.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

// Upper absolute pressure, bar, that divides the low-pressure blocks from the
// high-pressure ones.
constexpr double LowClassCeiling = 16.0;

// One block of a mode with the gate that opens it and its pressure class: a low
// block takes pmaxAbs <= 16, a high block 16 < pmaxAbs <= highCeiling.
struct RangeBlock {
    CatalogueBlock block;
    int gate;
    bool high;
    double highCeiling;
};

constexpr std::array<RangeBlock, 5> ComplexBlocks{{
    {Blocks::ComplexRotary16, 0, false, 0},
    {Blocks::ComplexTurbine1_16, 1, false, 0},
    {Blocks::ComplexTurbine1_75, 1, true, 75},
    {Blocks::ComplexTurbine2_16, 2, false, 0},
    {Blocks::ComplexTurbine2_75, 2, true, 75},
}};

constexpr std::array<RangeBlock, 5> IndustrialBlocks{{
    {Blocks::RotaryMeters, 0, false, 0},
    {Blocks::Turbine1Meters16, 1, false, 0},
    {Blocks::Turbine1Meters75, 1, true, 75},
    {Blocks::Turbine2Meters16, 2, false, 0},
    {Blocks::Turbine2MetersHigh, 2, true, 100},
}};

std::span<const RangeBlock> BlocksOfMode(int mode)
{
    switch (mode) {
    case 1:
        return ComplexBlocks;
    case 3:
        return IndustrialBlocks;
    default:
        return {};
    }
}

bool ClassAdmits(const RangeBlock &block, double pmaxAbs)
{
    if (block.high)
        return limits::Above(pmaxAbs, LowClassCeiling) && limits::AtMost(pmaxAbs, block.highCeiling);
    return limits::AtMost(pmaxAbs, LowClassCeiling);
}

bool GateOpen(const RangeBlock &block, const FamilyGates &gates)
{
    return gates[static_cast<std::size_t>(block.gate)];
}

} // namespace

std::vector<CatalogueBlock> RangeSelectionBlocks(int mode, double pmaxAbs, const FamilyGates &gates)
{
    std::vector<CatalogueBlock> walked;
    for (const RangeBlock &block : BlocksOfMode(mode)) {
        if (GateOpen(block, gates) && ClassAdmits(block, pmaxAbs))
            walked.push_back(block.block);
    }
    return walked;
}

double RangePressureCeiling(int mode, const FamilyGates &gates)
{
    double ceiling = 0;
    for (const RangeBlock &block : BlocksOfMode(mode)) {
        if (GateOpen(block, gates))
            ceiling = std::max(ceiling, block.high ? block.highCeiling : LowClassCeiling);
    }
    return ceiling;
}

SelectionResult RangeSelection(const ProductCatalogue &catalogue, int mode, double pmaxAbs,
                               double qmaxWork, double qminWork, const FamilyGates &gates)
{
    const auto fits = [&](const ProductRecord &row) {
        return limits::AtMost(pmaxAbs, row.Pmax) && limits::AtMost(qmaxWork, row.Qmax)
            && limits::AtLeast(qminWork, row.Qmin);
    };

    // Both walks take the same blocks, so every optimal row is also a possible row
    // and a gate never yields more than one optimal row.
    const std::vector<CatalogueBlock> walked = RangeSelectionBlocks(mode, pmaxAbs, gates);

    SelectionResult result;
    for (const CatalogueBlock &block : walked)
        AppendFittingSlots(catalogue, block, fits, result.possible);
    for (const CatalogueBlock &block : walked)
        AppendFirstFittingSlot(catalogue, OptimalSearchRange(block), fits, result.optimal);
    return result;
}
