#pragma once

#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_blocks.h"
#include "core/selection/selection_result.h"

#include <array>
#include <vector>

// The three family gates of a mode: the check boxes of its choice dialog.
using FamilyGates = std::array<bool, 3>;

// Range selection of modes 1 (complexes with temperature-and-pressure correction)
// and 3 (industrial meters). Walks the mode's blocks whose gate is open and whose
// pressure class admits pmaxAbs; a row fits when pmaxAbs <= Pmax, qmaxWork <= Qmax
// and qminWork >= Qmin. The optimal row of a block is its first fitting row and
// uses the same pressure class as the possible walk. Any other mode finds nothing.
SelectionResult RangeSelection(const ProductCatalogue &catalogue, int mode, double pmaxAbs,
                               double qmaxWork, double qminWork, const FamilyGates &gates);

// The blocks both walks of RangeSelection take, in walking order.
std::vector<CatalogueBlock> RangeSelectionBlocks(int mode, double pmaxAbs, const FamilyGates &gates);
// The highest absolute pressure, bar, a block of an open gate admits; 0 when no
// gate of the mode is open.
double RangePressureCeiling(int mode, const FamilyGates &gates);
