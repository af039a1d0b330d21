#pragma once

#include "core/pressure/pressure_units.h"
#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_blocks.h"
#include "core/selection/range_selection.h"
#include "core/selection/selection_result.h"

#include <vector>

// Working-pressure selection of modes 2 (temperature-corrected complexes, ceiling
// 16 bar absolute, three gates) and 4 (utility meters, ceiling 2 bar absolute, the
// first two gates). A row fits when PmaxAbs <= the ceiling, PmaxAbs <= Pmax,
// QmaxWork <= Qmax and Qmin <= QminWork. Any other mode finds nothing.
SelectionResult WorkingPressureSelection(const ProductCatalogue &catalogue, int mode,
                                         const PressureSet &values, const FamilyGates &gates);

// The blocks of the open gates WorkingPressureSelection walks, in walking order.
std::vector<CatalogueBlock> WorkingPressureSelectionBlocks(int mode, const FamilyGates &gates);
// The mode's absolute pressure ceiling, bar (0 for a mode without one).
double WorkingPressureCeiling(int mode);
