#include "core/pricing/money.h"

#include <cmath>
#include <limits>

std::int64_t DivideRounded(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t quotient = numerator / denominator;
    const std::int64_t remainder = numerator % denominator;
    // |remainder| >= denominator / 2, compared without overflow.
    const std::int64_t twice = remainder < 0 ? -remainder : remainder;
    if (twice >= denominator - twice)
        return numerator < 0 ? quotient - 1 : quotient + 1;
    return quotient;
}

Money MoneyOfPrice(double price)
{
    return {static_cast<std::int64_t>(std::llround(price * 100))};
}

std::optional<std::int64_t> ReadScaled(const QString &text, int decimals)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    std::int64_t value = 0;
    int digits = 0;
    int fraction = -1; // digits after the separator; -1 before it
    constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max() / 10;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' || c == u',') {
            if (fraction >= 0)
                return std::nullopt;
            fraction = 0;
            continue;
        }
        if (!c.isDigit() || c.unicode() > u'9')
            return std::nullopt;
        if (fraction >= 0 && ++fraction > decimals)
            return std::nullopt;
        if (value > Limit)
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    for (int k = fraction < 0 ? 0 : fraction; k < decimals; ++k) {
        if (value > Limit)
            return std::nullopt;
        value *= 10;
    }
    return negative ? -value : value;
}

QString MoneyText(Money amount, QChar separator)
{
    const bool negative = amount.minor < 0;
    // Two's complement's most negative value has no positive twin: go through unsigned.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(amount.minor)
                                             : static_cast<std::uint64_t>(amount.minor);
    const QString fraction = QString::number(magnitude % 100).rightJustified(2, u'0');
    return (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) + separator
        + fraction;
}
