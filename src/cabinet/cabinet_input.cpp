#include "cabinet/cabinet_input.h"

#include "wizard/number_text.h"

#include <cmath>
#include <optional>
#include <utility>

namespace {

// Reads the flow range from its two texts and puts it in order. False when a text
// is not a number or a flow is negative.
bool ReadFlows(CabinetEntries &entries, double &qmaxStd, double &qminStd)
{
    const std::optional<double> qmax = ReadNumber(entries.qmax);
    if (!qmax)
        return false;
    qmaxStd = *qmax;
    const std::optional<double> qmin = ReadNumber(entries.qmin);
    if (!qmin)
        return false;
    qminStd = *qmin;

    if (qminStd > qmaxStd) {
        std::swap(qmaxStd, qminStd);
        entries.qmax = WriteNumber(qmaxStd);
        entries.qmin = WriteNumber(qminStd);
    }
    return qminStd >= 0;
}

// Reads the gauge pressure range, converts it to bar and puts it in order with
// its units. False when a text is not a number or a conversion overflows.
bool ReadGaugePressures(CabinetEntries &entries, PressureSet &values)
{
    const std::optional<double> pmax = ReadNumber(entries.pmax);
    if (!pmax)
        return false;
    const std::optional<double> pmin = ReadNumber(entries.pmin);
    if (!pmin)
        return false;

    double pmaxBar = PressureToBar(entries.pmaxUnit, *pmax);
    double pminBar = PressureToBar(entries.pminUnit, *pmin);
    if (!std::isfinite(pmaxBar) || !std::isfinite(pminBar))
        return false;

    if (pmaxBar < pminBar) {
        std::swap(pmaxBar, pminBar);
        std::swap(entries.pmaxUnit, entries.pminUnit);
        entries.pmax = WriteNumber(*pmin);
        entries.pmin = WriteNumber(*pmax);
    }
    values.PmaxGauge = pmaxBar;
    values.PminGauge = pminBar;
    return true;
}

} // namespace

bool ReadCabinetInput(CabinetEntries &entries, double &qmaxStd, double &qminStd,
                      PressureSet &values)
{
    if (!ReadFlows(entries, qmaxStd, qminStd))
        return false;
    if (!ReadGaugePressures(entries, values))
        return false;

    values.PmaxAbs = ToAbsolute(values.PmaxGauge);
    values.PminAbs = ToAbsolute(values.PminGauge);
    if (!(values.PmaxAbs > 0) || !(values.PminAbs > 0))
        return false;

    return ToWorkingFlows(values, qmaxStd, qminStd);
}
