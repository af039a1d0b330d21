#pragma once

#include "core/pricing/priced_list.h"
#include "core/project/project.h"
#include "core/table/batch_point.h"

#include <vector>

// The priced list of a project's points: what each point's chosen product adds to it.

// A point's product as the priced list counts it.
PricedListItem ItemOf(const QString &pointId, int quantity, const Candidate &chosen, Currency currency);

// Each point with its chosen product among its possible rows, in project order; a point
// refused, with nothing chosen or with a product that no longer fits is named among
// those not sized. `records` are the points sized, one a point.
PricedList ProjectPricedList(const Project &project, const std::vector<BatchRecord> &records);
