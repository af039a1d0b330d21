#pragma once

#include "core/pressure/pressure_units.h"
#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_blocks.h"
#include "core/selection/selection_result.h"

#include <optional>

// The three kinds of cabinet point, one input form each.
enum class CabinetKind { Metering, Reducing, MeteringReducing };

// Cabinet selection: the slots of the chosen kind and variant (1..4, the variant
// radio button) that fit: PmaxAbs <= 16, PmaxAbs <= Pmax, PminAbs >= Pmin,
// QmaxWork <= Qmax, QminWork >= Qmin. At most one optimal row. A variant outside
// 1..4 finds nothing.
SelectionResult CabinetSelection(const ProductCatalogue &catalogue, CabinetKind kind, int variant,
                                 const PressureSet &values);

// The slots CabinetSelection lists from; empty for a variant outside 1..4.
std::optional<CatalogueBlock> CabinetSelectionSlots(CabinetKind kind, int variant);
// The absolute pressure, bar, no cabinet point takes beyond.
double CabinetPressureCeiling();
