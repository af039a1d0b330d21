#include "core/selection/candidate_load.h"

#include "core/input/number_text.h"

double LoadPercent(double qmaxWork, const ProductRecord &record)
{
    if (record.Qmax == 0)
        return 0;
    return qmaxWork / record.Qmax * 100.0;
}

std::optional<double> QminMargin(double qminWork, const ProductRecord &record)
{
    if (record.Qmin == 0)
        return std::nullopt;
    return qminWork / record.Qmin;
}

QString LoadText(double loadPercent, QChar decimalSeparator)
{
    return WriteFixed(loadPercent, 1, decimalSeparator);
}

QString MarginText(const std::optional<double> &margin, QChar decimalSeparator)
{
    return margin ? WriteFixed(*margin, 2, decimalSeparator) : QStringLiteral("—");
}
