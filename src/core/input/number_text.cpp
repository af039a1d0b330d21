#include "core/input/number_text.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
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

// The significant digits of a value rounded to 15 of them, without trailing
// zeros, and the decimal exponent of the first: 1234.5 gives "12345" and 3.
struct Significant {
    char digits[20];
    int count = 0;
    int exponent = 0;
};

// `shortestFirst`: try the shortest text first, which is quicker for the values that
// have a short one and slower for the others; the digits are the same either way.
Significant SignificantDigits(double magnitude, bool shortestFirst)
{
    // The shortest text that reads back as a normal value is taken when it has at
    // most 15 digits: its distance from the value is below half a unit in the last
    // place of a double (2^-53 of it), far below half a unit of the 15th digit
    // (5E-16 of it at least), so rounding to 15 gives the same digits. Otherwise,
    // and for subnormal values, whose last place is coarser, the value is rounded
    // to 15 explicitly.
    char buffer[64];
    std::to_chars_result written{buffer, {}};
    bool shortest = shortestFirst && magnitude >= std::numeric_limits<double>::min();
    if (shortest) {
        written = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
        int count = 0;
        for (const char *c = buffer; c != written.ptr && *c != 'e'; ++c)
            count += *c != '.';
        shortest = count <= 15;
    }
    if (!shortest)
        written = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);

    Significant out;
    const char *c = buffer;
    for (; *c != 'e'; ++c) {
        if (*c != '.')
            out.digits[out.count++] = *c;
    }
    while (out.count > 1 && out.digits[out.count - 1] == '0')
        --out.count;
    ++c; // past 'e'
    if (*c == '+')
        ++c;
    std::from_chars(c, written.ptr, out.exponent);
    return out;
}

} // namespace

std::optional<double> ReadNumber(const QString &text, QChar decimalSeparator)
{
    const std::optional<ScannedNumber> number = Scan(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    return Convert(*number);
}

namespace {

int WriteNumberTo(double value, char decimalSeparator, char *out, bool shortestFirst)
{
    char *const begin = out;
    const auto put = [&out](const char *text, int length) {
        std::memcpy(out, text, static_cast<std::size_t>(length));
        out += length;
    };
    // Callers never pass these; they are written harmlessly all the same.
    if (std::isnan(value)) {
        put("NaN", 3);
        return 3;
    }
    if (std::isinf(value)) {
        if (value < 0)
            *out++ = '-';
        put("INF", 3);
        return static_cast<int>(out - begin);
    }
    if (value == 0) {
        *out = '0';
        return 1;
    }
    // A whole number below 1E15 has at most 15 digits: written as it is.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return static_cast<int>(std::to_chars(out, out + NumberTextCapacity, static_cast<long long>(value)).ptr - out);

    // Rounded to 15 significant digits.
    const Significant s = SignificantDigits(std::fabs(value), shortestFirst);
    if (value < 0)
        *out++ = '-';
    const auto digits = [&](int from, int to) { put(s.digits + from, to - from); };

    // The form is chosen on the rounded value: 0.0001 <= |v| < 1E15 in full.
    if (s.exponent >= -4 && s.exponent <= 14) {
        if (s.exponent >= 0) {
            const int integerLength = s.exponent + 1;
            digits(0, std::min(integerLength, s.count));
            for (int i = s.count; i < integerLength; ++i)
                *out++ = '0';
            if (s.count > integerLength) {
                *out++ = decimalSeparator;
                digits(integerLength, s.count);
            }
        } else {
            *out++ = '0';
            *out++ = decimalSeparator;
            for (int i = 0; i < -s.exponent - 1; ++i)
                *out++ = '0';
            digits(0, s.count);
        }
    } else {
        *out++ = s.digits[0];
        if (s.count > 1) {
            *out++ = decimalSeparator;
            digits(1, s.count);
        }
        *out++ = 'E';
        out = std::to_chars(out, begin + NumberTextCapacity, s.exponent).ptr;
    }
    return static_cast<int>(out - begin);
}

} // namespace

int WriteNumber(double value, char decimalSeparator, char *out)
{
    // The writers meet computed figures (loads, margins, compressibility), whose
    // shortest text is seldom short enough.
    return WriteNumberTo(value, decimalSeparator, out, false);
}

QString WriteNumber(double value, QChar decimalSeparator)
{
    // The digits never hold a point, so a separator beyond ASCII takes its place after.
    const bool ascii = decimalSeparator.unicode() < 0x80;
    char buffer[NumberTextCapacity];
    const int length = WriteNumberTo(value, ascii ? static_cast<char>(decimalSeparator.unicode()) : '.', buffer, true);
    QString text = QString::fromLatin1(buffer, length);
    if (!ascii)
        text.replace(u'.', decimalSeparator);
    return text;
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
