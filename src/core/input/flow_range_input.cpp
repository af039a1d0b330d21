#include "core/input/flow_range_input.h"

#include "core/input/number_text.h"

#include <utility>

FlowRangeReading ReadFlowRange(const QString &qmaxText, const QString &qminText,
                               double previousQmax, double previousQmin, QChar decimalSeparator)
{
    const QChar separator = decimalSeparator.isNull() ? LocaleDecimalSeparator() : decimalSeparator;
    FlowRangeReading reading;
    reading.qmax = previousQmax;
    reading.qmin = previousQmin;
    reading.qmaxText = qmaxText;
    reading.qminText = qminText;

    if (const auto qmax = ReadNumber(qmaxText, separator)) {
        reading.qmax = *qmax;
        if (const auto qmin = ReadNumber(qminText, separator)) {
            reading.qmin = *qmin;
            reading.valid = reading.qmax > 0 && reading.qmin > 0;
            if (!reading.valid)
                reading.failed = reading.qmax > 0 ? InputField::Qmin : InputField::Qmax;
        } else {
            reading.failed = InputField::Qmin;
        }
    } else {
        reading.failed = InputField::Qmax;
    }

    if (!(reading.qmax >= reading.qmin)) {
        std::swap(reading.qmax, reading.qmin);
        reading.exchanged = true;
        reading.qmaxText = WriteNumber(reading.qmax, separator);
        reading.qminText = WriteNumber(reading.qmin, separator);
    }
    return reading;
}
