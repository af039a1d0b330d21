#include "core/gas/gas_error.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace gas {

QString MessageNumber(double value)
{
    QString text = QString::number(value, 'g', 6);
    text.replace(u'.', u',');
    return text;
}

QString RangeText(double min, double max, const QString &unit)
{
    return u"от %1 до %2 %3"_s.arg(MessageNumber(min), MessageNumber(max), unit);
}

GasError RangeError(const QString &key, const QString &figure, double value,
                    const QString &unit, const QString &method, const QString &range)
{
    return {key, u"%1 %2 %3 вне диапазона метода %4: %5"_s.arg(figure, MessageNumber(value),
                                                                 unit, method, range)};
}

GasError NotANumberError(const QString &key, const QString &figure, const QString &method)
{
    return {key, u"%1 не задано числом (метод %2)"_s.arg(figure, method)};
}

std::optional<GasError> CheckRange(const QString &key, const QString &figure, double value,
                                   const QString &unit, const QString &method, double min,
                                   double max)
{
    if (!std::isfinite(value))
        return NotANumberError(key, figure, method);
    if (value < min || value > max)
        return RangeError(key, figure, value, unit, method, RangeText(min, max, unit));
    return std::nullopt;
}

} // namespace gas
