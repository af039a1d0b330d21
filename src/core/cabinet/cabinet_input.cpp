#include "core/cabinet/cabinet_input.h"

#include "core/pressure/pressure_bounds.h"
#include "core/input/number_text.h"

#include <optional>
#include <utility>

namespace {

// Reads the flow range from its two texts and puts it in order. Fails when a text
// is not a number or a flow is negative.
InputField ReadFlows(CabinetEntries &entries, double &qmaxStd, double &qminStd, QChar separator)
{
    const std::optional<double> qmax = ReadNumber(entries.qmax, separator);
    if (!qmax)
        return InputField::Qmax;
    qmaxStd = *qmax;
    const std::optional<double> qmin = ReadNumber(entries.qmin, separator);
    if (!qmin)
        return InputField::Qmin;
    qminStd = *qmin;

    const bool exchanged = qminStd > qmaxStd;
    if (exchanged) {
        std::swap(qmaxStd, qminStd);
        entries.qmax = WriteNumber(qmaxStd, separator);
        entries.qmin = WriteNumber(qminStd, separator);
    }
    // A negative lower flow is refused in the field it was typed in.
    if (qminStd >= 0)
        return InputField::None;
    return exchanged ? InputField::Qmax : InputField::Qmin;
}

// Reads the gauge pressure range, converts it to bar and puts it in order with
// its units. Fails when a text is not a number or a conversion overflows.
InputField ReadGaugePressures(CabinetEntries &entries, PressureSet &values, bool &exchanged, QChar separator)
{
    const std::optional<double> pmax = ReadNumber(entries.pmax, separator);
    if (!pmax)
        return InputField::Pmax;
    const std::optional<double> pmin = ReadNumber(entries.pmin, separator);
    if (!pmin)
        return InputField::Pmin;

    FailedBound failed = FailedBound::Upper;
    const auto bounds = OrderPressureBounds(*pmax, entries.pmaxUnit, *pmin, entries.pminUnit, &failed);
    if (!bounds)
        return failed == FailedBound::Upper ? InputField::Pmax : InputField::Pmin;
    exchanged = bounds->exchanged;
    if (bounds->exchanged) {
        entries.pmaxUnit = bounds->upper.unit;
        entries.pminUnit = bounds->lower.unit;
        entries.pmax = WriteNumber(bounds->upper.typed, separator);
        entries.pmin = WriteNumber(bounds->lower.typed, separator);
    }
    values.PmaxGauge = bounds->upper.bar;
    values.PminGauge = bounds->lower.bar;
    return InputField::None;
}

InputField ReadInput(CabinetEntries &entries, double &qmaxStd, double &qminStd, PressureSet &values,
                     bool &exchanged, QChar separator)
{
    if (const InputField field = ReadFlows(entries, qmaxStd, qminStd, separator); field != InputField::None)
        return field;
    if (const InputField field = ReadGaugePressures(entries, values, exchanged, separator);
        field != InputField::None)
        return field;

    values.PmaxAbs = ToAbsolute(values.PmaxGauge);
    values.PminAbs = ToAbsolute(values.PminGauge);
    // An ordered bound is refused in the field its value was typed in.
    if (!(values.PminAbs > 0))
        return exchanged ? InputField::Pmax : InputField::Pmin;
    if (!(values.PmaxAbs > 0))
        return exchanged ? InputField::Pmin : InputField::Pmax;

    return ToWorkingFlows(values, qmaxStd, qminStd) ? InputField::None : InputField::Qmax;
}

} // namespace

bool ReadCabinetInput(CabinetEntries &entries, double &qmaxStd, double &qminStd,
                      PressureSet &values, InputField *failed, bool *pressuresExchanged, QChar decimalSeparator)
{
    bool exchanged = false;
    const InputField field = ReadInput(entries, qmaxStd, qminStd, values, exchanged,
                                       decimalSeparator.isNull() ? LocaleDecimalSeparator() : decimalSeparator);
    if (failed)
        *failed = field;
    if (pressuresExchanged)
        *pressuresExchanged = exchanged;
    return field == InputField::None;
}
