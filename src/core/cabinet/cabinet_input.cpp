#include "core/cabinet/cabinet_input.h"

#include "core/pressure/pressure_bounds.h"
#include "core/input/number_text.h"

#include <optional>
#include <utility>

namespace {

// Reads the flow range from its two texts and puts it in order. Fails when a text
// is not a number or a flow is negative.
InputField ReadFlows(CabinetEntries &entries, double &qmaxStd, double &qminStd)
{
    const std::optional<double> qmax = ReadNumber(entries.qmax);
    if (!qmax)
        return InputField::Qmax;
    qmaxStd = *qmax;
    const std::optional<double> qmin = ReadNumber(entries.qmin);
    if (!qmin)
        return InputField::Qmin;
    qminStd = *qmin;

    if (qminStd > qmaxStd) {
        std::swap(qmaxStd, qminStd);
        entries.qmax = WriteNumber(qmaxStd);
        entries.qmin = WriteNumber(qminStd);
    }
    return qminStd >= 0 ? InputField::None : InputField::Qmin;
}

// Reads the gauge pressure range, converts it to bar and puts it in order with
// its units. Fails when a text is not a number or a conversion overflows.
InputField ReadGaugePressures(CabinetEntries &entries, PressureSet &values)
{
    const std::optional<double> pmax = ReadNumber(entries.pmax);
    if (!pmax)
        return InputField::Pmax;
    const std::optional<double> pmin = ReadNumber(entries.pmin);
    if (!pmin)
        return InputField::Pmin;

    FailedBound failed = FailedBound::Upper;
    const auto bounds = OrderPressureBounds(*pmax, entries.pmaxUnit, *pmin, entries.pminUnit, &failed);
    if (!bounds)
        return failed == FailedBound::Upper ? InputField::Pmax : InputField::Pmin;
    if (bounds->exchanged) {
        entries.pmaxUnit = bounds->upper.unit;
        entries.pminUnit = bounds->lower.unit;
        entries.pmax = WriteNumber(bounds->upper.typed);
        entries.pmin = WriteNumber(bounds->lower.typed);
    }
    values.PmaxGauge = bounds->upper.bar;
    values.PminGauge = bounds->lower.bar;
    return InputField::None;
}

InputField ReadInput(CabinetEntries &entries, double &qmaxStd, double &qminStd, PressureSet &values)
{
    if (const InputField field = ReadFlows(entries, qmaxStd, qminStd); field != InputField::None)
        return field;
    if (const InputField field = ReadGaugePressures(entries, values); field != InputField::None)
        return field;

    values.PmaxAbs = ToAbsolute(values.PmaxGauge);
    values.PminAbs = ToAbsolute(values.PminGauge);
    if (!(values.PminAbs > 0))
        return InputField::Pmin;
    if (!(values.PmaxAbs > 0))
        return InputField::Pmax;

    return ToWorkingFlows(values, qmaxStd, qminStd) ? InputField::None : InputField::Qmax;
}

} // namespace

bool ReadCabinetInput(CabinetEntries &entries, double &qmaxStd, double &qminStd,
                      PressureSet &values, InputField *failed)
{
    const InputField field = ReadInput(entries, qmaxStd, qminStd, values);
    if (failed)
        *failed = field;
    return field == InputField::None;
}
