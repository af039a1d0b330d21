#pragma once

#include "core/pricing/specification.h"
#include "core/project/project.h"
#include "core/table/batch_point.h"

#include <vector>

// The specification of a project's points: what each point's chosen product adds to it.

// A point's product as the specification counts it.
SpecificationItem ItemOf(const QString &pointId, int quantity, const Candidate &chosen, Currency currency);

// Each point with its chosen product among its possible rows, in project order; a point
// refused, with nothing chosen or with a product that no longer fits is named among
// those not sized. `records` are the points sized, one a point.
Specification ProjectSpecification(const Project &project, const std::vector<BatchRecord> &records);
