#include "core/gas/gas_error.h"

#include "core/input/limit_compare.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace gas {

QString MessageNumber(double value)
{
    QString text = QString::number(value, 'g', 6);
    text.replace(u'.', u',');
    return text;
}

QString MessageNumberOutside(double value, double min, double max)
{
    if (!std::isfinite(value) || limits::Within(value, min, max))
        return MessageNumber(value);
    QString text;
    for (int digits = 6; digits <= 17; ++digits) {
        text = QString::number(value, 'g', digits);
        if (!limits::Within(text.toDouble(), min, max))
            break;
    }
    text.replace(u'.', u',');
    return text;
}

QString RangeText(double min, double max, const QString &unit)
{
    return u"от %1 до %2 %3"_s.arg(MessageNumber(min), MessageNumber(max), unit);
}

GasError RangeError(const QString &key, const QString &figure, const QString &valueText,
                    const QString &unit, const QString &method, const QString &range)
{
    return {key, u"%1 %2 %3 вне диапазона метода %4: %5"_s.arg(figure, valueText, unit, method,
                                                                 range)};
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
    if (!limits::Within(value, min, max))
        return RangeError(key, figure, MessageNumberOutside(value, min, max), unit, method,
                          RangeText(min, max, unit));
    return std::nullopt;
}

} // namespace gas
