// libFuzzer target for the number rules: arbitrary bytes, read as UTF-8, go to
// the reader with both separators; whatever it accepts must be finite and must
// come back through the writer as the same value rounded to 15 digits.

#include "core/input/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>

namespace {

bool SameValue(std::optional<double> a, std::optional<double> b)
{
    if (!a || !b)
        return !a && !b;
    if (*a == 0 && *b == 0)
        return true;
    return std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

[[noreturn]] void Fail(const char *what, const QString &text, QChar separator, double value)
{
    std::fprintf(stderr, "number rules: %s\n  separator '%c', text \"%s\", value %.17g\n", what,
                 char(separator.unicode()), text.toUtf8().constData(), value);
    std::abort();
}

// The value rounded to 15 significant digits; none when the rounding carries
// it past the largest double.
std::optional<double> RoundedTo15(double value)
{
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    double rounded = 0;
    if (std::from_chars(buffer, end, rounded).ec != std::errc())
        return std::nullopt;
    return rounded;
}

std::optional<double> Check(const QString &text, QChar separator)
{
    const std::optional<double> value = ReadNumber(text, separator);
    if (!value)
        return value;
    if (!std::isfinite(*value))
        Fail("a text read as a value that is not finite", text, separator, *value);

    const QString written = WriteNumber(*value, separator);
    char buffer[NumberTextCapacity];
    const int length = WriteNumber(*value, static_cast<char>(separator.unicode()), buffer);
    if (QString::fromLatin1(buffer, length) != written)
        Fail("the rule into a buffer writes another text", QString::fromLatin1(buffer, length), separator, *value);
    const std::optional<double> back = ReadNumber(written, separator);
    const std::optional<double> rounded = RoundedTo15(*value);
    if (!SameValue(back, rounded))
        Fail("the written value does not read back as its 15-digit rounding", written, separator,
             *value);
    if (back && WriteNumber(*back, separator) != written)
        Fail("a written value is written differently the second time", written, separator,
             *value);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<double> withComma = Check(text, u',');
    const std::optional<double> withPoint = Check(text, u'.');

    // With neither separator in the text, the choice of separator cannot matter.
    if (!text.contains(u',') && !text.contains(u'.') && !SameValue(withComma, withPoint))
        Fail("the two separators disagree on a text without any", text, u',',
             withComma.value_or(0));
    return 0;
}
