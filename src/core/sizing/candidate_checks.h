#pragma once

#include "core/catalogue/catalogue.h"

#include <QString>
#include <QStringList>

// The checks a careful engineer makes on each fitting product, beyond the
// selection's own rule. They inform and never remove a row.

// The flags of one product at the working point: the load above the target maximum;
// for the metering complexes (modes 1 and 2), a product pressure range (Pmin..Pmax,
// bar absolute) that does not cover both working absolute pressures.
QStringList CandidateFlags(int mode, const ProductRecord &record, double loadPercent,
                           double maxLoad, double pminAbs, double pmaxAbs);

// The product line (catalogue block) a slot belongs to: the block's first slot, or 0.
int LineOf(int slot);
