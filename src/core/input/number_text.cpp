#include "core/input/number_text.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

// An integer in plain ASCII, whatever the C locale says.
std::string IntegerText(long long value)
{
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

bool IsAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Decimal exponents beyond these bounds are out of the double range whatever
// the digits, so the conversion is decided without looking at them.
constexpr long long OverflowExponent = 400;
constexpr long long UnderflowExponent = -400;

// An exponent typed with absurdly many digits is held at this size; it is far
// beyond both bounds above, so the outcome is the same.
constexpr long long ExponentCap = 1'000'000'000'000LL;

// A number as the reader found it: the digits of the mantissa in order, how
// many of them stand before the separator, and the exponent.
struct ScannedNumber {
    bool negative = false;
    std::string digits;
    long long integerDigits = 0;
    long long exponent = 0;
};

// Checks the text against the reading rule and takes it apart. Blanks are the
// space character only; digits are ASCII only.
std::optional<ScannedNumber> Scan(const QString &text, QChar decimalSeparator)
{
    qsizetype pos = 0;
    qsizetype end = text.size();
    while (pos < end && text[pos] == u' ')
        ++pos;
    while (end > pos && text[end - 1] == u' ')
        --end;

    ScannedNumber number;
    if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) {
        number.negative = text[pos] == u'-';
        ++pos;
    }

    bool separatorSeen = false;
    for (; pos < end; ++pos) {
        const QChar c = text[pos];
        if (IsAsciiDigit(c)) {
            number.digits.push_back(static_cast<char>(c.unicode()));
            if (!separatorSeen)
                ++number.integerDigits;
        } else if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
        } else {
            break;
        }
    }
    // A lone separator is a mantissa of its own (it reads as 0); a bare sign is not.
    if (number.digits.empty() && !separatorSeen)
        return std::nullopt;

    if (pos < end && (text[pos] == u'e' || text[pos] == u'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) {
            negativeExponent = text[pos] == u'-';
            ++pos;
        }
        const qsizetype exponentStart = pos;
        long long exponent = 0;
        for (; pos < end && IsAsciiDigit(text[pos]); ++pos)
            exponent = std::min(exponent * 10 + (text[pos].unicode() - u'0'), ExponentCap);
        if (pos == exponentStart)
            return std::nullopt;
        number.exponent = negativeExponent ? -exponent : exponent;
    }

    if (pos != end)
        return std::nullopt;
    return number;
}

// Turns a scanned number into a double: the significant digits are written as
// d.ddd e<exponent> in plain ASCII and handed to from_chars, which knows no locale.
std::optional<double> Convert(const ScannedNumber &number)
{
    const double zero = number.negative ? -0.0 : 0.0;

    const std::size_t first = number.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return zero;
    const std::size_t last = number.digits.find_last_not_of('0');

    // The value is digits[first].digits[first+1..last] x 10^scale.
    const long long scale =
        number.exponent + number.integerDigits - static_cast<long long>(first) - 1;
    if (scale > OverflowExponent)
        return std::nullopt;
    if (scale < UnderflowExponent)
        return zero;

    std::string normalised;
    normalised.reserve(last - first + 16);
    normalised.push_back(number.digits[first]);
    if (last > first) {
        normalised.push_back('.');
        normalised.append(number.digits, first + 1, last - first);
    }
    normalised.push_back('e');
    normalised.append(IntegerText(scale));

    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large fails; too small is as good as zero.
        if (scale > 0)
            return std::nullopt;
        return zero;
    }
    if (ec != std::errc() || ptr != normalised.data() + normalised.size())
        return std::nullopt;
    return number.negative ? -value : value;
}

} // namespace

std::optional<double> ReadNumber(const QString &text, QChar decimalSeparator)
{
    const std::optional<ScannedNumber> number = Scan(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    return Convert(*number);
}

QString WriteNumber(double value, QChar decimalSeparator)
{
    // Callers never pass these; they are written harmlessly all the same.
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // Rounded to 15 significant digits: [-]d.dddddddddddddde[+-]xx.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string scientific(buffer, written.ptr);

    const bool negative = scientific.front() == '-';
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (scientific[i] != '.')
            digits.push_back(scientific[i]);
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    std::size_t expPos = ePos + 1;
    if (scientific[expPos] == '+')
        ++expPos;
    int exponent = 0;
    std::from_chars(scientific.data() + expPos, scientific.data() + scientific.size(), exponent);

    QString out;
    if (negative)
        out += u'-';

    // The form is chosen on the rounded value: 0.0001 <= |v| < 1E15 in full.
    if (exponent >= -4 && exponent <= 14) {
        std::string integerPart;
        std::string fraction;
        if (exponent >= 0) {
            const std::size_t integerLength = static_cast<std::size_t>(exponent) + 1;
            integerPart = digits.substr(0, integerLength);
            integerPart.resize(integerLength, '0');
            if (digits.size() > integerLength)
                fraction = digits.substr(integerLength);
        } else {
            integerPart = "0";
            fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        out += QLatin1String(integerPart.data(), static_cast<qsizetype>(integerPart.size()));
        if (!fraction.empty()) {
            out += decimalSeparator;
            out += QLatin1String(fraction.data(), static_cast<qsizetype>(fraction.size()));
        }
    } else {
        out += QLatin1Char(digits.front());
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += QLatin1String(digits.data() + 1, static_cast<qsizetype>(digits.size() - 1));
        }
        out += u'E';
        const std::string exponentText = IntegerText(exponent);
        out += QLatin1String(exponentText.data(), static_cast<qsizetype>(exponentText.size()));
    }
    return out;
}

QChar LocaleDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

std::optional<double> ReadNumber(const QString &text)
{
    return ReadNumber(text, LocaleDecimalSeparator());
}

QString WriteNumber(double value)
{
    return WriteNumber(value, LocaleDecimalSeparator());
}

QString WriteFixed(double value, int decimals, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return WriteNumber(value, decimalSeparator);
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::fixed, decimals);
    QString out = QLatin1String(buffer, static_cast<qsizetype>(written.ptr - buffer));
    out.replace(u'.', decimalSeparator);
    // A negative value that rounds to zero is written without its sign.
    bool onlyZeros = true;
    for (qsizetype i = 1; i < out.size(); ++i)
        onlyZeros = onlyZeros && (out[i] == u'0' || out[i] == decimalSeparator);
    if (out.startsWith(u'-') && onlyZeros)
        out.remove(0, 1);
    return out;
}

QString WriteFixed(double value, int decimals)
{
    return WriteFixed(value, decimals, LocaleDecimalSeparator());
}
