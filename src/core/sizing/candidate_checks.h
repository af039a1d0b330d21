#pragma once

#include "core/catalogue/catalogue.h"

#include <QString>
#include <QStringList>

#include <optional>

// The checks a careful engineer makes on each fitting product, beyond the
// selection's own rule. They inform and never remove a row.

// The gas velocity in a meter's inlet at the working Qmax: v = Q / (π DN² / 4), in m/s,
// with Q in m3/s and DN in metres (from m3/h and mm); 0 for a product without a bore.
double InletVelocity(double qmaxWork, int dn);

// The flags of one product at the working point: the load above the target maximum;
// for the metering complexes (modes 1 and 2), a product pressure range (Pmin..Pmax,
// bar absolute) that does not cover both working absolute pressures; with a limit, an
// inlet velocity above it.
QStringList CandidateFlags(int mode, const ProductRecord &record, double loadPercent,
                           double maxLoad, double pminAbs, double pmaxAbs,
                           double inletVelocity = 0, std::optional<double> maxInletVelocity = {});

// The product line (catalogue block) a slot belongs to: the block's first slot, or 0.
int LineOf(int slot);
