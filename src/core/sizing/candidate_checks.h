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

// The same for the rows of one working point, its figures written once for all of
// them; a row's own figures come from its written texts when it has them.
class CandidateChecks {
public:
    CandidateChecks(int mode, double maxLoad, double pminAbs, double pmaxAbs,
                    std::optional<double> maxInletVelocity = {});
    QStringList flags(const ProductRecord &record, double loadPercent,
                      const ProductFigureTexts *figures = nullptr, double inletVelocity = 0) const;

private:
    int mode_;
    double maxLoad_, pminAbs_, pmaxAbs_;
    std::optional<double> maxInletVelocity_;
    // Written when first needed.
    mutable std::optional<QString> maxLoadText_, pminShown_, pmaxShown_;
};

// The product line (catalogue block) a slot belongs to: the block's first slot, or 0.
int LineOf(int slot);
