#pragma once

#include "selection/catalogue.h"
#include "selection/sizing.h"

#include <QString>

// Why a sizing found no product: one sentence naming the first of the checks the
// chosen lines fail, with the figures it compares (the absolute pressure against
// the ceiling and the lines' Pmax, Pmin, then the working Qmax against their Qmax,
// then the working Qmin against their Qmin). Empty when the outcome has an error or
// rows were found.
QString NoFitReason(const SizingOutcome &outcome, const ProductCatalogue &catalogue);
